// A form's own poll timer (SetTimer on the form's window, so that its
// WM_TIMER can also be posted to the window from outside): a periodic
// window timer, and a second, one-shot window timer for the quiet time
// after a change (see TickSchedule). The tick runs through the message
// loop, on the user-interface thread, with the rows it rescans: every row
// for a periodic tick.
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
  FormTimer(Form& form, const Timing& timing, std::function<void(const RowSelection&)> tick);
  ~FormTimer() override;
  FormTimer(const FormTimer&) = delete;
  FormTimer& operator=(const FormTimer&) = delete;

  void Stop() override;
  // A stopped timer ticks one full interval from now; a running one goes on
  // as it was.
  void Start() override;
  void Hold() override;
  void Release() override;
  // A change of a place that every row may read.
  void Soon() override;
  // A change that concerns those rows.
  void Soon(const RowSelection& rows);
  // Rows rescanned with every change, since no watched place tells theirs.
  void SetRiders(const RowSelection& rows) { schedule_.SetRiders(rows); }
  // A rescan of the row for a change took that long; it ended just now.
  void Scanned(char row, unsigned took_ms);
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
  TickSchedule::Ms quiet_due_ = 0;  // when the quiet timer fires, while set
};

}  // namespace corvane::win32
