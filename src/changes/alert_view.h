// The alert window (TForm2) as the logic drives it.
#pragma once

#include <string>

#include "platform/user_interface.h"

namespace corvane {

class AlertView {
 public:
  virtual ~AlertView() = default;
  virtual void SetTypeText(const std::string& text) = 0;      // Label1
  virtual void SetLocationText(const std::string& text) = 0;  // Label2
  // The do-not-ask box (CheckBox1). Its tick outlives one alert; only the
  // caller that acts on it clears it.
  virtual void SetDoNotAskEnabled(bool enabled) = 0;
  virtual bool DoNotAskEnabled() const = 0;
  virtual bool DoNotAskChecked() const = 0;
  virtual void ClearDoNotAsk() = 0;
  // Shows the window modally, on top of all others; returns how it was closed
  // (kYes, kNo, or kNone for the close button).
  virtual ModalResult ShowModal() = 0;
};

}  // namespace corvane
