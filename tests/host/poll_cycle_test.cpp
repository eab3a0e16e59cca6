#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "changes/poll_cycle.h"
#include "monitor/snapshot_scan.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;
const std::string kRunEntry = "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
const std::string kRestored =
    "info All Startup entries were restored, but now we recommend that you close all "
    "applications, and restart your PC.";

class PollCycleTest : public ChangeHandlingTest {
 protected:
  void SetUp() override {
    environment.Set("windir", "C:\\WINDOWS");
    registry.SetString(kUser, kUserRun, "Existing", "e.exe");
    TakeSnapshotScan(platform, switches, tables);
    EnableLog();
  }
  void Cycle() { RunPollCycle(context); }
  bool UserRunHas(const std::string& name) const {
    return registry.GetValue(kUser, kUserRun, name).has_value();
  }
};

TEST_F(PollCycleTest, TheRoadOfOneEvent) {
  registry.SetString(kUser, kUserRun, "Tool", "C:\\tool.exe");
  Answer(ModalResult::kNo);
  Cycle();

  EXPECT_FALSE(UserRunHas("Tool"));
  EXPECT_EQ(events, (Events{"timer stop", "beep",
                            "alert Registry Startup | ...soft\\Windows\\CurrentVersion\\Run\\Tool | box",
                            "timer start", "timer stop", "beep", kRestored, "timer start"}));
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup: Tool [User Invoked] \r\n");
  EXPECT_EQ(Baseline(), Strings{kRunEntry + "Existing"});
  EXPECT_EQ(context.flags.removal, 1);
}

TEST_F(PollCycleTest, NothingNewShowsNothingWritesNothingAndStillRescans) {
  Cycle();
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Log(), "");
  registry.SetString(kUser, kUserRun, "Existing", "other data, same name");
  registry.RemoveValue(kUser, kUserRun, "Existing");
  Cycle();  // a vanished entry is dropped without a word
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(Baseline().empty());
}

TEST_F(PollCycleTest, AKeptEntryJoinsTheBaselineAndIsAskedAgainOnlyWhenItReturns) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_TRUE(UserRunHas("Tool"));
  EXPECT_EQ(events.size(), 4u);  // the alert only: no restored message
  Cycle();
  EXPECT_EQ(events.size(), 4u);

  registry.RemoveValue(kUser, kUserRun, "Tool");
  Cycle();
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(events.size(), 8u);
}

TEST_F(PollCycleTest, ABlacklistHitSilencesTheRestoredMessageForTheWholeCycle) {
  files.AddFile(ProgramFile("blacklist"), "Pest\r\n");
  registry.SetString(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Pest",
                     "p.exe");
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Answer(ModalResult::kNo);
  Cycle();

  EXPECT_FALSE(registry.GetValue(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                 "Pest"));
  EXPECT_FALSE(UserRunHas("Tool"));
  EXPECT_EQ(events.size(), 4u);  // one alert, for Tool; no restored message
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup: Pest [Blacklisted] \r\n" +
                       kStamp + "Deleted Registry Startup: Tool [User Invoked] \r\n");
  EXPECT_EQ(context.flags.blacklist_hit, 1);
}

TEST_F(PollCycleTest, TheSameNewEntryTwiceIsHandledTwice) {
  environment.Set("USERPROFILE", "C:\\Documents and Settings\\Administrator");
  files.AddFile("C:\\Documents and Settings\\Administrator\\Start Menu\\Programs\\Startup\\x.lnk");
  Answer(ModalResult::kYes);
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(std::count(events.begin(), events.end(),
                       "alert Startup Folder | ...or\\Start Menu\\Programs\\startup\\x.lnk"),
            2);
}

TEST_F(PollCycleTest, AnErrorEndsTheCycleWithoutANewBaseline) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  files.AddFile("C:\\WINDOWS\\win.ini", "run=a.exe\r\n");
  files.SetFailure("C:\\WINDOWS\\win.ini", MemoryFileSystem::Failure::kCannotRead);
  RunPollCycleReportingErrors(context);

  // The scan broke before the walk: no alert, the old baseline, one error box
  // shown while the timer stood still.
  EXPECT_EQ(events, (Events{"timer stop", "error Unable to read C:\\WINDOWS\\win.ini", "timer start"}));
  EXPECT_EQ(Baseline(), Strings{kRunEntry + "Existing"});
  EXPECT_TRUE(timer.running);

  files.SetFailure("C:\\WINDOWS\\win.ini", MemoryFileSystem::Failure::kNone);
  Answer(ModalResult::kYes);
  Answer(ModalResult::kYes);
  Cycle();  // both new entries are new again
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const std::string& e) { return e.rfind("alert", 0) == 0; }),
            2);
}

TEST_F(PollCycleTest, AFailedBlacklistWriteEndsTheCycleAfterTheRemoval) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  files.AddDirectory(ProgramFile("blacklist"));  // cannot be written as a file
  Answer(ModalResult::kNo, true);
  RunPollCycleReportingErrors(context);
  EXPECT_FALSE(UserRunHas("Tool"));
  EXPECT_TRUE(alert.DoNotAskChecked());
  EXPECT_EQ(events.back(), "timer start");
  EXPECT_EQ(events[events.size() - 2].rfind("error Unable to write to", 0), 0u);
  EXPECT_EQ(Baseline(), Strings{kRunEntry + "Existing"});
}

TEST_F(PollCycleTest, AnEntryThatCouldNotBeRemovedIsReportedOnceAndNotAsRestored) {
  registry.SetString(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Agent",
                     "a.exe");
  registry.RefuseWriting(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Answer(ModalResult::kNo);
  Answer(ModalResult::kNo);
  Cycle();
  EXPECT_EQ(Log(), std::string(kStamp) + "Could not delete Registry Startup: Agent [User Invoked] \r\n" +
                       kStamp + "Deleted Registry Startup: Tool [User Invoked] \r\n");
  EXPECT_EQ(std::count(events.begin(), events.end(), kRestored), 0);
  EXPECT_EQ(events[events.size() - 2],
            "warning Some of the startup entries that you declined could not be removed. They are "
            "still in place.");
  EXPECT_EQ(events.back(), "timer start");

  const auto shown = events.size();
  Cycle();  // still in place, now part of the baseline
  EXPECT_EQ(events.size(), shown);
}

TEST_F(PollCycleTest, SwitchedOffAreasAreNotWatched) {
  switches.registry_keys = false;
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Cycle();
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(Baseline().empty());
}

}  // namespace
}  // namespace corvane
