#include "platform/tick_schedule.h"

namespace corvane {

bool TickSchedule::PeriodicTimeOver() {
  if (!Running()) return false;
  pending_ = false;
  return true;
}

bool TickSchedule::QuietTimeOver() {
  if (!QuietWanted()) return false;
  pending_ = false;
  return true;
}

}  // namespace corvane
