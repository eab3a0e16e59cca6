// When the poll timer ticks: every interval while it runs, and once after a
// short quiet time when a watched place has changed. A burst of changes
// within the quiet time gives one tick; a change while the timer is stopped
// or held waits until it runs again.
#pragma once

namespace corvane {

class TickSchedule {
 public:
  // Starting and stopping are the user's; holding is a dialog's.
  void Start() { started_ = true; }
  void Stop() { started_ = false; }
  void Hold() { ++holds_; }
  void Release() {
    if (holds_ > 0) --holds_;
  }
  // A watched place changed.
  void Soon() { pending_ = true; }

  // The periodic timer fired: true when that is a tick. The tick's cycle
  // scans every place, so a change waiting for its quiet time is served.
  bool PeriodicTimeOver();
  // The quiet timer fired: true when that is a tick.
  bool QuietTimeOver();

  // Started and held by nothing.
  bool Running() const { return started_ && holds_ == 0; }
  // What the two timers must be doing now. The periodic timer runs while the
  // schedule runs; the quiet timer is armed while a change waits and the
  // schedule runs, so it is armed anew (a full quiet time) whenever the
  // schedule comes to run again.
  bool PeriodicWanted() const { return Running(); }
  bool QuietWanted() const { return Running() && pending_; }

 private:
  bool started_ = false;
  int holds_ = 0;
  bool pending_ = false;  // a change waits for its tick
};

}  // namespace corvane
