// A form's own poll timer (SetTimer on the form's window, so that its
// WM_TIMER can also be posted to the window from outside): a periodic
// window timer, and a second, one-shot window timer for the quiet time
// after a change. The tick runs through the message loop, on the
// user-interface thread.
#pragma once

#include <functional>

#include "platform/tick_schedule.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane::win32 {

class FormTimer : public PollTimer {
 public:
  struct Timing {
    UINT_PTR id;        // the periodic timer's id
    unsigned interval_ms;
    UINT_PTR quiet_id;  // the quiet time's id
    unsigned quiet_ms;
  };

  // Running from the start, as a timer that is enabled when its form is made.
  FormTimer(Form& form, const Timing& timing, std::function<void()> tick);
  ~FormTimer() override;
  FormTimer(const FormTimer&) = delete;
  FormTimer& operator=(const FormTimer&) = delete;

  void Stop() override;
  // A stopped timer ticks one full interval from now; a running one goes on
  // as it was.
  void Start() override;
  void Hold() override;
  void Release() override;
  void Soon() override;
  // Started and held by nothing: ticking.
  bool Running() const { return schedule_.Running(); }

 private:
  // Makes the window timers run exactly as the schedule wants them.
  void Update();

  Form& form_;
  Timing timing_;
  TickSchedule schedule_;
  bool periodic_set_ = false;
  bool quiet_set_ = false;
};

}  // namespace corvane::win32
