#include <gtest/gtest.h>

#include <optional>
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
      case I::kQuiet: tick = schedule.QuietTimeOver().has_value(); break;
    }
    SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.why);
    EXPECT_EQ(tick, step.tick);
    EXPECT_EQ(schedule.PeriodicWanted(), step.periodic);
    EXPECT_EQ(schedule.QuietWanted(), step.quiet);
  }
}

// A quiet tick rescans the rows of every change since the last tick, and
// the riders; a row whose last rescan was slow waits until its pace allows
// it, without keeping the changes of other rows waiting.
TEST(TickScheduleTest, AQuietTickRescansTheChangedRowsAndASlowRowAtItsPace) {
  enum class Do { kSoon, kQuiet, kPeriodic, kScanned };
  struct Step {
    Do what;
    const char* rows;  // kSoon: changed ("*": every row); kScanned: the row
    TickSchedule::Ms now;
    // kQuiet, kPeriodic: what the tick rescans ("-": no tick, "*": every row);
    // kScanned: how long the rescan took, in ms.
    const char* ticked;
    TickSchedule::Ms due;  // afterwards: when the quiet timer armed now fires (0: not armed)
    const char* why;
  };
  const std::vector<Step> steps = {
      {Do::kScanned, "4", 1000, "100", 0, "the services took 100 ms: paced until 6000"},
      {Do::kSoon, "2", 1100, "", 1300, "a Run key changed"},
      {Do::kSoon, "4", 1150, "", 1350, "a service changed"},
      {Do::kQuiet, "", 1300, "2T", 6000, "the Run row at once, the services at their pace"},
      {Do::kSoon, "1", 2000, "", 2200, "another change is not kept waiting"},
      {Do::kQuiet, "", 2200, "1T", 6000, "its row alone"},
      {Do::kQuiet, "", 6000, "4T", 0, "the services' pace allows them"},
      {Do::kSoon, "35", 6100, "", 6300, "two rows"},
      {Do::kSoon, "3", 6150, "", 6350, "one of them again"},
      {Do::kQuiet, "", 6300, "35T", 0, "each once"},
      {Do::kScanned, "4", 6300, "100", 0, "paced until 11300"},
      {Do::kSoon, "4", 6400, "", 11300, "a service waits"},
      {Do::kSoon, "*", 6450, "", 6650, "a change that cannot be placed"},
      {Do::kQuiet, "", 6650, "*", 0, "scans every row at once"},
      {Do::kSoon, "4", 6700, "", 11300, "a service waits"},
      {Do::kPeriodic, "", 7000, "*", 0, "the periodic tick serves it"},
      {Do::kQuiet, "", 11300, "-", 0, "so no quiet tick is left"},
      {Do::kScanned, "8", 12000, "1000", 0, "a slow rescan"},
      {Do::kSoon, "8", 12100, "", 17000, "paces its row 5 s at most"},
  };
  TickSchedule schedule(200);
  schedule.Start();
  schedule.SetRiders(RowSelection::Only("T"));  // never waits, never gives a tick
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.why);
    const auto selection =
        std::string(step.rows) == "*" ? RowSelection::Every() : RowSelection::Only(step.rows);
    std::optional<RowSelection> ticked;
    switch (step.what) {
      case Do::kSoon: schedule.Soon(selection); break;
      case Do::kScanned: schedule.Scanned(step.rows[0], std::stoul(step.ticked), step.now); break;
      case Do::kQuiet: ticked = schedule.QuietTimeOver(step.now); break;
      case Do::kPeriodic:
        if (schedule.PeriodicTimeOver()) ticked = RowSelection::Every();
        break;
    }
    if (step.what == Do::kQuiet || step.what == Do::kPeriodic) {
      EXPECT_EQ(!ticked ? "-" : ticked->every() ? "*" : ticked->codes(), step.ticked);
    }
    EXPECT_EQ(schedule.QuietWanted() ? schedule.QuietDue(step.now) : 0, step.due);
  }
}

}  // namespace
}  // namespace corvane
