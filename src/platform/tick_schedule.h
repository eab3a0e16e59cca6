// When the poll timer ticks: every interval while it runs, and after a
// short quiet time when a watched place has changed, for the rows of the
// table of places that read there. A burst of changes within the quiet time
// gives one tick, which rescans the rows of all of them; a change while the
// timer is stopped or held waits until it runs again. A row whose rescan
// for a change took long is rescanned for the next change only kPace times
// that long later (kLongestPace at most), so that places that Windows
// writes all the time (the services' keys) cost a small share of the time;
// its change waits meanwhile, and the other rows' changes do not wait for it.
// Rows whose changes no watched place tells dependably ride along with
// every quiet tick.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/row_selection.h"

namespace corvane {

class TickSchedule {
 public:
  using Ms = std::uint64_t;  // milliseconds of a steady clock
  static constexpr Ms kPace = 50;
  static constexpr Ms kLongestPace = 5000;

  explicit TickSchedule(Ms quiet_ms = 0) : quiet_ms_(quiet_ms) {}

  // Starting and stopping are the user's; holding is a dialog's.
  void Start() { started_ = true; }
  void Stop() { started_ = false; }
  void Hold() { ++holds_; }
  void Release() {
    if (holds_ > 0) --holds_;
  }
  // Rows rescanned with every quiet tick, that never give one of their own.
  void SetRiders(const RowSelection& rows) { riders_ = rows; }
  // Watched places changed: the rows that read there (all of them when that
  // cannot be told).
  void Soon(const RowSelection& rows = RowSelection::Every()) { waiting_.Add(rows); }

  // The periodic timer fired: true when that is a tick. The tick's cycle
  // scans every row, so every change waiting is served.
  bool PeriodicTimeOver();
  // The quiet timer fired at `now`: when that is a tick, the rows it
  // rescans, every waiting one whose pace allows it, and the riders; the
  // others wait on.
  std::optional<RowSelection> QuietTimeOver(Ms now = 0);
  // A rescan of the row for a change ended at `now` after `took` milliseconds.
  void Scanned(char row, Ms took, Ms now);

  // Started and held by nothing.
  bool Running() const { return started_ && holds_ == 0; }
  // What the two timers must be doing now. The periodic timer runs while the
  // schedule runs; the quiet timer is armed while a change waits and the
  // schedule runs, so it is armed anew (a full quiet time) whenever the
  // schedule comes to run again.
  bool PeriodicWanted() const { return Running(); }
  bool QuietWanted() const { return Running() && !waiting_.empty(); }
  // When the quiet timer, armed at `armed`, is to fire: after the quiet
  // time, or later, when the first waiting row's pace allows it.
  Ms QuietDue(Ms armed) const;

 private:
  // When a change may rescan the row again; 0 when at once.
  Ms PacedUntil(char row) const;

  Ms quiet_ms_;
  bool started_ = false;
  int holds_ = 0;
  RowSelection riders_;
  RowSelection waiting_;            // the rows of the changes that wait for their tick
  std::map<char, Ms> paced_until_;  // by row
};

}  // namespace corvane
