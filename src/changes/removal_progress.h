// The progress of a long run of removals in a poll cycle: a small window on
// top of the others in the alert's place, while the program's window
// messages are handled between the removals.
#pragma once

#include <chrono>
#include <string>

#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane {

class RemovalProgress : public Progress {
 public:
  explicit RemovalProgress(win32::Application& application);

  bool Step(const std::string& text) override;
  void End() override;

  HWND handle() const { return form_.handle(); }

 private:
  using Clock = std::chrono::steady_clock;

  win32::Application& application_;
  win32::Form form_;
  bool running_ = false;    // a run is under way
  bool ending_ = false;     // the program is ending: nothing more is handled
  bool dismissed_ = false;  // the user closed the window of this run
  Clock::time_point started_;
  Clock::time_point handled_;  // when the waiting messages were handled last
  std::string text_;
};

}  // namespace corvane
