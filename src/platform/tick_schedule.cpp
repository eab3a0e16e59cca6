#include "platform/tick_schedule.h"

#include <algorithm>
#include <utility>

namespace corvane {

bool TickSchedule::PeriodicTimeOver() {
  if (!Running()) return false;
  waiting_ = RowSelection();
  return true;
}

std::optional<RowSelection> TickSchedule::QuietTimeOver(Ms now) {
  if (!QuietWanted()) return std::nullopt;
  // A change that cannot be placed waits for no row.
  if (waiting_.every()) return std::exchange(waiting_, RowSelection());
  RowSelection due, later;
  for (const char row : waiting_.codes()) (PacedUntil(row) <= now ? due : later).Add(row);
  waiting_ = later;
  if (due.empty()) return std::nullopt;
  due.Add(riders_);
  return due;
}

void TickSchedule::Scanned(char row, Ms took, Ms now) {
  paced_until_[row] = now + std::min(kPace * took, kLongestPace);
}

TickSchedule::Ms TickSchedule::QuietDue(Ms armed) const {
  const Ms quiet_over = armed + quiet_ms_;
  if (waiting_.every()) return quiet_over;
  Ms first = 0;
  bool any = false;
  for (const char row : waiting_.codes()) {
    const Ms until = PacedUntil(row);
    first = any ? std::min(first, until) : until;
    any = true;
  }
  return std::max(quiet_over, first);
}

TickSchedule::Ms TickSchedule::PacedUntil(char row) const {
  const auto paced = paced_until_.find(row);
  return paced == paced_until_.end() ? 0 : paced->second;
}

}  // namespace corvane
