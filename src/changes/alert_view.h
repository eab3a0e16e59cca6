// The alert window (TForm2) as the logic drives it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/user_interface.h"

namespace corvane {

// Everything one alert shows.
struct AlertFacts {
  std::string type_text;
  std::string location;   // whole, the registry root named in full; the window fits it to its line
  std::string command;    // what the entry starts; "" when it cannot be told
  std::string publisher;  // the company of the program it starts; "" when none is known
  // The program file the command starts, whose signature the window asks
  // for while it is shown; "" when it cannot be told.
  std::string program;
  // A changed entry: the headline says so, and the command it started
  // before is shown above the new one.
  bool changed = false;
  std::string old_command;
  // Its place among the entries of this cycle that are put to the user:
  // "1 of 214" when there is more than one.
  std::size_t position = 1;
  std::size_t count = 1;
  // How many entries of the same type wait after it; when any do, the
  // same-answer box is offered.
  std::size_t same_type_after = 0;
  // A registry Run-type entry whose name the blacklist can hold.
  bool offer_do_not_ask = false;
};

class AlertView {
 public:
  virtual ~AlertView() = default;
  // Fills the window for one alert; the do-not-ask box is enabled exactly
  // when offered, the same-answer box shown exactly when offered, unticked.
  virtual void SetFacts(const AlertFacts& facts) = 0;
  // The do-not-ask box (CheckBox1). Its tick outlives one alert; only the
  // caller that acts on it clears it.
  virtual bool DoNotAskEnabled() const = 0;
  virtual bool DoNotAskChecked() const = 0;
  virtual void ClearDoNotAsk() = 0;
  // Whether the user ticked "the same answer for the other ones of this type".
  virtual bool SameAnswerChecked() const = 0;
  // Shows the window modally, on top of all others; returns how it was closed
  // (kYes, kNo, or kNone for the close button).
  virtual ModalResult ShowModal() = 0;
};

}  // namespace corvane
