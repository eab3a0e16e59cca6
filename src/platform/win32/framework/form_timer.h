// A form's own periodic timer (SetTimer on the form's window, so that its
// WM_TIMER can also be posted to the window from outside). The tick runs
// through the message loop, on the user-interface thread.
#pragma once

#include <functional>

#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane::win32 {

class FormTimer : public PollTimer {
 public:
  // Running from the start, as a timer that is enabled when its form is made.
  FormTimer(Form& form, UINT_PTR id, unsigned interval_ms, std::function<void()> tick);
  ~FormTimer() override;
  FormTimer(const FormTimer&) = delete;
  FormTimer& operator=(const FormTimer&) = delete;

  void Stop() override;
  // A stopped timer ticks one full interval from now; a running one goes on
  // as it was.
  void Start() override;
  void Hold() override;
  void Release() override;
  // Started and held by nothing: ticking.
  bool Running() const { return ticking_; }

 private:
  // Makes the window timer tick exactly while started and not held.
  void Update();

  Form& form_;
  UINT_PTR id_;
  unsigned interval_ms_;
  bool started_ = false;
  int holds_ = 0;
  bool ticking_ = false;
};

}  // namespace corvane::win32
