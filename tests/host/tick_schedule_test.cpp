#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/tick_schedule.h"

namespace corvane {
namespace {

enum class Input { kStart, kStop, kHold, kRelease, kSoon, kPeriodic, kQuiet };

struct Step {
  Input input;
  bool tick;      // the input gave a tick
  bool periodic;  // afterwards: the periodic timer runs
  bool quiet;     // afterwards: the quiet timer is armed
  const char* why;
};

TEST(TickScheduleTest, AChangeGivesOneTickAfterTheQuietTimeOnceTheTimerRuns) {
  using I = Input;
  const std::vector<Step> steps = {
      {I::kStart, false, true, false, "started: periodic only"},
      {I::kSoon, false, true, true, "a change arms the quiet time"},
      {I::kSoon, false, true, true, "a burst keeps the one quiet time"},
      {I::kQuiet, true, true, false, "one tick for the burst"},
      {I::kQuiet, false, true, false, "a late quiet message is no second tick"},
      {I::kPeriodic, true, true, false, "the interval goes on"},

      {I::kHold, false, false, false, "a dialog holds the timer"},
      {I::kSoon, false, false, false, "a change waits while held"},
      {I::kQuiet, false, false, false, "no tick while held"},
      {I::kPeriodic, false, false, false, "nor a periodic one"},
      {I::kHold, false, false, false, "a second dialog"},
      {I::kRelease, false, false, false, "one still holds it"},
      {I::kRelease, false, true, true, "the last release: a full quiet time"},
      {I::kQuiet, true, true, false, "the waiting change ticks once"},

      {I::kSoon, false, true, true, "a change during the quiet time of another"},
      {I::kStop, false, false, false, "Restore pauses the watch"},
      {I::kQuiet, false, false, false, "no tick while stopped"},
      {I::kRelease, false, false, false, "a release does not start a stopped timer"},
      {I::kHold, false, false, false, "held after a spare release: still held"},
      {I::kStart, false, false, false, "started but held"},
      {I::kRelease, false, true, true, "runs: the change from before the pause"},
      {I::kPeriodic, true, true, false, "a periodic tick serves the waiting change"},
      {I::kQuiet, false, true, false, "so the quiet time gives none"},
      {I::kStart, false, true, false, "starting a started timer changes nothing"},
  };
  TickSchedule schedule;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    bool tick = false;
    switch (step.input) {
      case I::kStart: schedule.Start(); break;
      case I::kStop: schedule.Stop(); break;
      case I::kHold: schedule.Hold(); break;
      case I::kRelease: schedule.Release(); break;
      case I::kSoon: schedule.Soon(); break;
      case I::kPeriodic: tick = schedule.PeriodicTimeOver(); break;
      case I::kQuiet: tick = schedule.QuietTimeOver(); break;
    }
    SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.why);
    EXPECT_EQ(tick, step.tick);
    EXPECT_EQ(schedule.PeriodicWanted(), step.periodic);
    EXPECT_EQ(schedule.QuietWanted(), step.quiet);
  }
}

}  // namespace
}  // namespace corvane
