#include "changes/poll_cycle.h"

#include <gtest/gtest.h>

#include <functional>

#include "change_handling_fixture.h"
#include "changes/inventory.h"
#include "monitor/autostart_locations.h"
#include "monitor/snapshot_scan.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;
const std::string kRunEntry = "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
const std::string kRestored =
    "info All Startup entries were restored, but now we recommend that you close all "
    "applications, and restart your PC.";
const std::string kNotRemoved =
    "warning Some of the startup entries that you declined could not be removed. They are "
    "still in place.\n";

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
  long Alerts() const {
    return std::count_if(events.begin(), events.end(),
                         [](const std::string& e) { return e.rfind("alert", 0) == 0; });
  }
};

TEST_F(PollCycleTest, TheRoadOfOneEvent) {
  registry.SetString(kUser, kUserRun, "Tool", "C:\\tool.exe");
  Answer(ModalResult::kNo);
  Cycle();

  EXPECT_FALSE(UserRunHas("Tool"));
  EXPECT_EQ(
      events,
      (Events{"timer hold", "beep",
              "alert Registry Startup | "
              "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool | box",
              "timer release", "timer hold", "beep", kRestored, "timer release"}));
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup: Tool [User Invoked] \r\n");
  EXPECT_EQ(Baseline(), Strings{kRunEntry + "Existing"});
  EXPECT_EQ(context.flags.removal, 1);
}

// Every kind of entry is asked about with its own texts, and its outcome is
// logged by one rule: "Deleted" only when a fresh look finds it gone.
TEST_F(PollCycleTest, EveryKindIsAskedLoggedAndFlaggedByOneRule) {
  const std::string services = "\\SYSTEM\\CurrentControlSet\\Services";
  const std::string helpers =
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
  const std::string main = "\\Software\\Microsoft\\Internet Explorer\\Main";
  environment.Set("USERPROFILE", "C:\\Users\\Жанна");
  files.AddFile("C:\\Users\\Жанна\\Start Menu\\Programs\\startup\\Ж中.lnk");
  registry.SetString(kUser, kUserRun, "Тест工具", "t.exe");
  registry.SetString(kUser, main, "Start Page", "http://pest.invalid/");
  registry.SetInteger(kMachine, services + "\\Pest", "Start", 2);
  registry.SetString(kMachine, services + "\\Pest", "ImagePath", "p.exe");
  files.AddFile("C:\\WINDOWS\\win.ini", "run=pest.exe\r\n");
  registry.CreateKey(kMachine, helpers + "\\{PEST}");
  const Strings expected_alerts = {
      "alert Startup Folder | C:\\Users\\Жанна\\Start Menu\\Programs\\startup\\Ж中.lnk",
      "alert Registry Startup | "
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Тест工具 | box",
      "alert Registry | HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\Start "
      "Page",
      "alert Registry Service | HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Pest",
      "alert win.ini File | C:\\WINDOWS\\win.ini: run=",
      "alert Registry | "
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper "
      "Objects\\{PEST}",
  };
  const std::string messages[] = {
      "Startup Folder file: Ж中.lnk [User Invoked]",
      "Registry Startup: Тест工具 [User Invoked] ",
      "IE Startup Page [User Invoked]",
      "Service Startup: Pest [User Invoked]",
      ".INI Startup: pest.exe [User Invoked]",
      "IE BHO [User Invoked]",
  };

  // First declined and removed; then each planted again where it may not be removed.
  for (const bool refused : {false, true}) {
    SCOPED_TRACE(refused ? "refused" : "removed");
    if (refused) {
      files.AddFile("C:\\Users\\Жанна\\Start Menu\\Programs\\startup\\Ж中.lnk", "",
                    MemoryFileSystem::kReadOnly);
      registry.SetString(kUser, kUserRun, "Тест工具", "t.exe");
      registry.RefuseWriting(kUser, kUserRun);
      registry.SetString(kUser, main, "Start Page", "http://pest.invalid/");
      registry.RefuseWriting(kUser, main);
      registry.SetInteger(kMachine, services + "\\Pest", "Start", 2);
      registry.RefuseWriting(kMachine, services + "\\Pest");
      files.AddFile("C:\\WINDOWS\\win.ini", "run=pest.exe\r\n", MemoryFileSystem::kReadOnly);
      registry.CreateKey(kMachine, helpers + "\\{PEST}");
      registry.RefuseWriting(kMachine, helpers);
    }
    events.clear();
    files.AddFile(ProgramFile("corvane.log"));
    for (int i = 0; i < 6; ++i) Answer(ModalResult::kNo);
    Cycle();

    Strings alerts;
    for (const auto& e : events) {
      if (e.rfind("alert", 0) == 0) alerts.push_back(e);
    }
    EXPECT_EQ(alerts, expected_alerts);
    std::string log;
    for (const auto& message : messages) {
      log += std::string(kStamp) + (refused ? "Could not delete " : "Deleted ") + message + "\r\n";
    }
    EXPECT_EQ(Log(), log);
    EXPECT_EQ(context.flags.removal, refused ? 0 : 1);
    EXPECT_EQ(context.flags.failure, refused ? 1 : 0);
    EXPECT_EQ(
        events[events.size() - 2],
        refused
            ? kNotRemoved +
                  "\nC:\\Users\\Жанна\\Start Menu\\Programs\\startup\\Ж中.lnk"
                  "\nHKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Тест工具"
                  "\nHKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page"
                  "\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Pest"
                  "\nC:\\WINDOWS\\win.ini: run="
                  "\nHKEY_LOCAL_"
                  "MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper "
                  "Objects\\{PEST}"
            : kRestored);
  }
}

// The places of today's Windows are put to the user, removed and logged
// like the others; the alert names each by its key path and value name.
TEST_F(PollCycleTest, TodaysPlacesAreAskedRemovedAndLogged) {
  const std::string nt = "\\Software\\WOW6432Node\\Microsoft\\Windows NT\\CurrentVersion";
  const std::string policies =
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
  registry.SetString(kUser, policies, "Pol", "p.exe");
  registry.SetString(kMachine, nt + "\\Winlogon", "Userinit", "C:\\evil.exe,");
  registry.SetString(kMachine, nt + "\\Image File Execution Options\\sethc.exe", "Debugger",
                     "cmd.exe");
  tasks.Add("\\Updates\\Пуск");
  for (int i = 0; i < 4; ++i) Answer(ModalResult::kNo);
  Cycle();

  Strings alerts;
  for (const auto& e : events) {
    if (e.rfind("alert", 0) == 0) alerts.push_back(e);
  }
  EXPECT_EQ(
      alerts,
      (Strings{
          "alert Registry Startup | "
          "HKEY_CURRENT_"
          "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run\\Pol | box",
          "alert Winlogon | HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows "
          "NT\\CurrentVersion\\Winlogon\\Userinit",
          "alert Debugger | HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows "
          "NT\\CurrentVersion\\Image File Execution Options\\sethc.exe\\Debugger",
          "alert Scheduled Task | \\Updates\\Пуск"}));
  EXPECT_EQ(Log(),
            std::string(kStamp) + "Deleted Registry Startup: Pol [User Invoked] \r\n" + kStamp +
                "Deleted Winlogon: " + nt +
                "\\Winlogon\\Userinit (C:\\evil.exe,) [User Invoked]\r\n" + kStamp +
                "Deleted Debugger: " + nt +
                "\\Image File Execution Options\\sethc.exe\\Debugger (cmd.exe) [User Invoked]\r\n" +
                kStamp + "Deleted Scheduled Task: \\Updates\\Пуск [User Invoked]\r\n");
  EXPECT_EQ(registry.GetValue(kMachine, nt + "\\Winlogon", "Userinit")->data,
            "C:\\WINDOWS\\system32\\userinit.exe,");
  EXPECT_EQ(tasks.Names(), Strings{});
  EXPECT_EQ(events.back(), "timer release");
}

// A quiet cycle's scan is the new baseline; only a cycle that handled
// something scans again at its end.
TEST_F(PollCycleTest, AQuietCycleScansOnce) {
  const int before = tasks.Listings();
  Cycle();
  EXPECT_EQ(tasks.Listings(), before + 1);
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(tasks.Listings(), before + 3);
  EXPECT_EQ(Baseline(), (Strings{kRunEntry + "Existing", kRunEntry + "Tool"}));
}

// What appears while an alert is open is not taken into the baseline unasked:
// the next cycle asks about it. What the cycle's own removals leave (the key
// of a declined INI line) is taken.
TEST_F(PollCycleTest, WhatAppearsWhileTheUserAnswersIsAskedNextTime) {
  registry.SetString(kUser, kUserRun, "First", "f.exe");
  files.AddFile("C:\\WINDOWS\\win.ini", "Run=pest.exe\r\n");
  alert.while_open = [&] { registry.SetString(kUser, kUserRun, "Late", "l.exe"); };
  Answer(ModalResult::kNo);
  Answer(ModalResult::kNo);
  Cycle();
  EXPECT_EQ(Alerts(), 2);
  EXPECT_EQ(Baseline(), (Strings{kRunEntry + "Existing", "5Run="}));

  events.clear();
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(Alerts(), 1);
  EXPECT_EQ(events[2],
            "alert Registry Startup | "
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Late | box");
  EXPECT_EQ(Baseline(), (Strings{kRunEntry + "Existing", kRunEntry + "Late", "5Run="}));
}

TEST_F(PollCycleTest, NothingNewShowsNothingWritesNothingAndStillRescans) {
  environment.Set("USERPROFILE", "C:\\Users\\Ж");
  for (const char* name : {"a.lnk", "b.lnk", "c.txt"}) {
    files.AddFile("C:\\Users\\Ж\\Start Menu\\Programs\\startup\\" + std::string(name), name);
  }
  TakeSnapshotScan(platform, switches, tables);
  Cycle();
  const auto read = files.FilesRead();
  for (int quiet = 0; quiet < 8; ++quiet) Cycle();
  EXPECT_EQ(files.FilesRead(), read) << "a quiet cycle reads no file";
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Log(), "");
  registry.RemoveValue(kUser, kUserRun, "Existing");
  Cycle();  // a vanished entry is dropped without a word
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Baseline().size(), 3u);  // the Startup files
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

TEST_F(PollCycleTest, ANameThatDiffersOnlyInALetterAnsiWouldFoldIsAnotherEntry) {
  registry.SetString(kUser, kUserRun, "CvOne", "kept.exe");
  TakeSnapshotScan(platform, switches, tables);
  registry.SetString(kUser, kUserRun, "CvŌne", "pest.exe");
  Answer(ModalResult::kNo);
  Cycle();
  EXPECT_EQ(Alerts(), 1);
  EXPECT_FALSE(UserRunHas("CvŌne"));
  EXPECT_TRUE(UserRunHas("CvOne"));
}

TEST_F(PollCycleTest, ANameWithALineBreakCannotBeBlacklistedNorForgeALogLine) {
  registry.SetString(kUser, kUserRun, "Cv\r\nSecurityHealth", "pest.exe");
  Answer(ModalResult::kNo, true);  // the user would tick the box, but it is disabled
  Cycle();
  EXPECT_EQ(events[2],
            "alert Registry Startup | "
            "HKEY_CURRENT_"
            "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Cv\\r\\nSecurityHealth");
  EXPECT_FALSE(files.FileExists(ProgramFile("blacklist")));
  EXPECT_EQ(Log(), std::string(kStamp) +
                       "Deleted Registry Startup: Cv\\r\\nSecurityHealth [User Invoked] \r\n");
}

TEST_F(PollCycleTest, ABlacklistHitSilencesTheRestoredMessageForTheWholeCycle) {
  files.AddFile(ProgramFile("blacklist"), "Pest\r\n");
  registry.SetString(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Pest",
                     "p.exe");
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  Answer(ModalResult::kNo);
  Cycle();

  EXPECT_FALSE(registry.GetValue(
      kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Pest"));
  EXPECT_FALSE(UserRunHas("Tool"));
  // One alert, for Tool; the notice of Pest at the cycle's end; no restored message.
  EXPECT_EQ(events.size(), 5u);
  EXPECT_EQ(events.back(), "notice Corvane removed Pest (blacklisted)");
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup: Pest [Blacklisted] \r\n" +
                       kStamp + "Deleted Registry Startup: Tool [User Invoked] \r\n");
  EXPECT_EQ(context.flags.blacklist_hit, 1);
}

// Ticked with Yes, the box keeps the entry: a blacklisted name would be
// removed unasked when its program writes it again.
TEST_F(PollCycleTest, DoNotAskBlacklistsTheNameOnlyWithNo) {
  registry.SetString(kUser, kUserRun, "Kept", "k.exe");
  registry.SetString(kUser, kUserRun, "Gone", "g.exe");
  Answer(ModalResult::kYes, true);
  Answer(ModalResult::kNo, true);
  Cycle();
  EXPECT_TRUE(UserRunHas("Kept"));
  EXPECT_FALSE(UserRunHas("Gone"));
  EXPECT_FALSE(alert.DoNotAskChecked());
  EXPECT_EQ(files.Content(ProgramFile("blacklist")), "Gone\r\n");
}

// For administrators who collect them: every decision, with the entry's
// type, location and command.
TEST_F(PollCycleTest, EveryDecisionGoesToTheEventLog) {
  files.AddFile(ProgramFile("blacklist"), "Pest\r\n");
  const std::string machine_run = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  registry.SetString(kMachine, machine_run, "Stuck", "s.exe");
  registry.RefuseWriting(kMachine, machine_run);
  for (const char* name : {"Kept", "Gone", "Pest"})
    registry.SetString(kUser, kUserRun, name, "x.exe");
  Answer(ModalResult::kNo);
  Answer(ModalResult::kYes);
  Answer(ModalResult::kNo);
  Cycle();
  Strings reported;
  for (const auto& [decision, entry] : event_log.events) {
    reported.push_back(std::to_string(static_cast<unsigned>(decision)) + ' ' +
                       entry.location.substr(entry.location.rfind('\\') + 1) + ' ' + entry.command);
  }
  EXPECT_EQ(reported, (Strings{"1 Stuck s.exe", "6 Stuck s.exe", "1 Kept x.exe", "3 Kept x.exe",
                               "1 Gone x.exe", "2 Gone x.exe", "5 Pest x.exe"}));
  EXPECT_EQ(event_log.events.front().second.type, "Registry Startup");
}

TEST_F(PollCycleTest, TheSameNewEntryTwiceIsHandledTwice) {
  environment.Set("USERPROFILE", "C:\\Documents and Settings\\Administrator");
  files.AddFile("C:\\Documents and Settings\\Administrator\\Start Menu\\Programs\\Startup\\x.lnk");
  Answer(ModalResult::kYes);
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(std::count(events.begin(), events.end(),
                       "alert Startup Folder | C:\\Documents and Settings\\Administrator\\Start "
                       "Menu\\Programs\\startup\\x.lnk"),
            2);
}

// A tick or a Save while an alert waits for the user: no cycle runs inside
// the cycle (which once walked a table that the inner one replaced), nothing
// is taken unasked, and a watch that the user paused stays paused.
TEST_F(PollCycleTest, NothingRunsACycleInsideACycle) {
  registry.SetString(kUser, kUserRun, "First", "f.exe");
  alert.while_open = [&] {
    registry.SetString(kUser, kUserRun, "Second", "s.exe");
    timer.Stop();                                  // Restore in the tray menu
    RunPollCycle(context);                         // a tick
    TakeSnapshotScan(platform, switches, tables);  // Save
  };
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(Alerts(), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "timer start"), 0);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(timer.holds, 0);
  EXPECT_FALSE(context.running);
}

TEST_F(PollCycleTest, AnErrorEndsTheCycleWithoutANewBaseline) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  files.AddFile("C:\\WINDOWS\\win.ini", "run=a.exe\r\n");
  files.SetFailure("C:\\WINDOWS\\win.ini", MemoryFileSystem::Failure::kCannotRead);
  RunPollCycleReportingErrors(context);

  // The scan broke before the walk: no alert, the old baseline, one error box
  // shown while the timer was held.
  EXPECT_EQ(events,
            (Events{"timer hold", "error Unable to read C:\\WINDOWS\\win.ini", "timer release"}));
  EXPECT_EQ(Baseline(), Strings{kRunEntry + "Existing"});
  EXPECT_FALSE(context.running);

  files.SetFailure("C:\\WINDOWS\\win.ini", MemoryFileSystem::Failure::kNone);
  Answer(ModalResult::kYes);
  Answer(ModalResult::kYes);
  Cycle();  // both new entries are new again
  EXPECT_EQ(Alerts(), 2);
}

TEST_F(PollCycleTest, AFailedBlacklistWriteEndsTheCycleAfterTheRemoval) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  files.AddDirectory(ProgramFile("blacklist"));  // cannot be written as a file
  Answer(ModalResult::kNo, true);
  RunPollCycleReportingErrors(context);
  EXPECT_FALSE(UserRunHas("Tool"));
  EXPECT_TRUE(alert.DoNotAskChecked());
  EXPECT_EQ(events.back(), "timer release");
  EXPECT_EQ(events[events.size() - 2].rfind("error Unable to write to C:\\Program Files", 0), 0u);
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
  EXPECT_EQ(Log(), std::string(kStamp) +
                       "Could not delete Registry Startup: Agent [User Invoked] \r\n" + kStamp +
                       "Deleted Registry Startup: Tool [User Invoked] \r\n");
  EXPECT_EQ(std::count(events.begin(), events.end(), kRestored), 0);
  EXPECT_EQ(events[events.size() - 2],
            kNotRemoved +
                "\nHKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Agent");

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

// A Run value that starts another program under the same name is asked
// about as a change; No writes the old command back, Yes keeps the new one,
// and either way it is not asked about again.
TEST_F(PollCycleTest, AChangedCommandIsAskedAboutAndNoWritesTheOldOneBack) {
  TakeBaselineInventory(platform, switches, tables);
  registry.SetString(kUser, kUserRun, "Existing", "C:\\evil.exe");
  Answer(ModalResult::kNo);
  Cycle();
  EXPECT_TRUE(alert.facts_.changed);
  EXPECT_EQ(alert.facts_.old_command, "e.exe");
  EXPECT_EQ(alert.facts_.command, "C:\\evil.exe");
  EXPECT_EQ(registry.GetValue(kUser, kUserRun, "Existing")->data, "e.exe");
  EXPECT_EQ(Log(),
            std::string(kStamp) + "Changed back Registry Startup: Existing [User Invoked] \r\n");

  registry.SetString(kUser, kUserRun, "Existing", "C:\\new.exe");
  Answer(ModalResult::kYes);
  Cycle();
  events.clear();
  Cycle();
  EXPECT_EQ(Alerts(), 0);
  EXPECT_EQ(registry.GetValue(kUser, kUserRun, "Existing")->data, "C:\\new.exe");

  // Turned off in Task Manager: nothing to ask, and its next change says so.
  registry.SetBinary(kUser, std::string(locations::kStartupApprovedKey) + "\\Run", "Existing",
                     std::string("\3\0\0\0", 4));
  Cycle();
  EXPECT_EQ(Alerts(), 0);
  registry.SetString(kUser, kUserRun, "Existing", "C:\\again.exe");
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(alert.facts_.type_text, "Registry Startup (disabled in Task Manager)");
}

// A replaced accessibility program: No puts back the copy kept when it was
// first seen, and only while that copy still holds the bytes it is named by.
TEST_F(PollCycleTest, AReplacedProgramFileIsAskedAboutAndNoPutsItsKeptCopyBack) {
  const std::string sethc = "C:\\WINDOWS\\System32\\sethc.exe";
  files.AddDirectory("C:\\WINDOWS\\System32");
  files.AddFile(sethc, "original");
  tables.kept_copies = "C:\\Data\\Originals";
  TakeBaselineInventory(platform, switches, tables);
  files.AddFile(sethc, "cmd.exe bytes");
  Answer(ModalResult::kNo);
  Cycle();
  EXPECT_TRUE(alert.facts_.changed);
  EXPECT_EQ(alert.facts_.command.rfind(sethc + " (13 bytes, SHA-256 ", 0), 0u)
      << alert.facts_.command;
  EXPECT_EQ(files.Content(sethc), "original");

  // Another program spoils the copy: the next change stays, and is reported.
  for (const auto& path : files.AllFiles()) {
    if (path.find("originals\\") != std::string::npos) files.AddFile(path, "spoiled");
  }
  files.AddFile(sethc, "cmd.exe again");
  Answer(ModalResult::kNo);
  events.clear();
  Cycle();
  EXPECT_EQ(files.Content(sethc), "cmd.exe again");
  EXPECT_TRUE(std::any_of(events.begin(), events.end(),
                          [](const std::string& e) { return e.rfind(kNotRemoved, 0) == 0; }));
}

// Hundreds of entries at once: each alert says where it stands, and one
// answer can be given to all the remaining ones of its type.
TEST_F(PollCycleTest, AFloodIsCountedAndAnsweredOnceForEachType) {
  for (const char* name : {"A", "B", "C"}) registry.SetString(kUser, kUserRun, name, "x.exe");
  tasks.Add("\\Flood");
  alert.answers.push_back({ModalResult::kNo, false, true});  // A, and the same for B and C
  Answer(ModalResult::kYes);                                 // the task
  Cycle();
  EXPECT_EQ(Alerts(), 2);
  EXPECT_EQ(alert.facts_.position, 4u);
  EXPECT_EQ(alert.facts_.count, 4u);
  EXPECT_EQ(alert.facts_.same_type_after, 0u);
  EXPECT_FALSE(UserRunHas("A") || UserRunHas("B") || UserRunHas("C"));
  EXPECT_EQ(std::count(events.begin(), events.end(),
                       "alert Registry Startup | " +
                           std::string("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                                       "CurrentVersion\\Run\\A | box")),
            1);
}

// A flood declined at once: each entry keeps a record of its own, and the
// cycle flushes them together.
TEST_F(PollCycleTest, ACyclesBackupsAreFlushedOnce) {
  for (const char* name : {"A", "B", "C"}) registry.SetString(kUser, kUserRun, name, "x.exe");
  alert.answers.push_back({ModalResult::kNo, false, true});
  const int flushes = files.Flushes();
  Cycle();
  EXPECT_FALSE(UserRunHas("A") || UserRunHas("B") || UserRunHas("C"));
  EXPECT_EQ(files.FindFiles(ProgramFile("Backups\\*")).size(), 3u);
  EXPECT_EQ(files.Flushes() - flushes, 1);
}

// Between the removals of a flood the window messages are handled: a tick
// among them starts no cycle inside this one, and when the program begins to
// end, the entries not yet handled are left to be asked about at its next start.
TEST_F(PollCycleTest, BetweenRemovalsNoCycleStartsAndAnEndingLeavesTheRestForLater) {
  struct StepHook : Progress {
    std::function<bool()> step;
    bool Step(const std::string&) override { return step(); }
    void End() override {}
  } progress;
  context.progress = &progress;
  for (const char* name : {"A", "B", "C"}) registry.SetString(kUser, kUserRun, name, "x.exe");
  alert.answers.push_back({ModalResult::kNo, false, true});
  int steps = 0;
  progress.step = [&] {
    registry.SetString(kUser, kUserRun, "Late", "l.exe");
    RunPollCycle(context);  // a tick
    return ++steps < 2;     // the program ends after B
  };
  Cycle();
  EXPECT_EQ(Alerts(), 1);
  EXPECT_FALSE(UserRunHas("A") || UserRunHas("B"));
  EXPECT_TRUE(UserRunHas("C"));
  EXPECT_EQ(Baseline(), Strings{kRunEntry + "Existing"});
}

// However many blacklisted values a cycle meets, the tray icon tells of them
// once: by name when one was removed (or kept), else by their number.
TEST_F(PollCycleTest, BlacklistedValuesGiveOneNoticeACycle) {
  const std::string machine_run = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  registry.RefuseWriting(kMachine, machine_run);
  const struct {
    int removed, refused;
    std::string notice;
  } cases[] = {
      {1, 0, "notice Corvane removed Pest0-0 (blacklisted)"},
      {1200, 0, "notice Corvane removed 1,200 blacklisted entries"},
      {2, 1,
       "notice Corvane removed 2 blacklisted entries\nCorvane could not remove Kept2-0 "
       "(blacklisted)"},
      {0, 3, "notice Corvane could not remove 3 blacklisted entries"},
  };
  for (std::size_t c = 0; c < std::size(cases); ++c) {
    SCOPED_TRACE(cases[c].notice);
    std::string list;
    const auto plant = [&](const char* prefix, int count, RegistryRoot root,
                           const std::string& key) {
      for (int i = 0; i < count; ++i) {
        const auto name = prefix + std::to_string(c) + "-" + std::to_string(i);
        list += name + "\r\n";
        registry.SetString(root, key, name, "pest.exe");
      }
    };
    plant("Pest", cases[c].removed, kUser, kUserRun);
    plant("Kept", cases[c].refused, kMachine, machine_run);
    files.RemoveFile(ProgramFile("blacklist"));
    files.AddFile(ProgramFile("blacklist"), list);
    events.clear();
    Cycle();
    Events notices;
    std::copy_if(events.begin(), events.end(), std::back_inserter(notices),
                 [](const std::string& event) { return event.rfind("notice", 0) == 0; });
    EXPECT_EQ(notices, Events{cases[c].notice});
  }
}

// Removing a service or a Winlogon value can stop Windows: each is asked
// about on its own, never given the answer of another.
TEST_F(PollCycleTest, EntriesWindowsNeedsAreNeverAnsweredTogether) {
  for (const char* name : {"\\PestA", "\\PestB"}) {
    registry.SetInteger(kMachine, std::string("\\SYSTEM\\CurrentControlSet\\Services") + name,
                        "Start", 2);
    registry.SetString(kMachine, std::string("\\SYSTEM\\CurrentControlSet\\Services") + name,
                       "ImagePath", "p.exe");
  }
  std::size_t first_offer = 1;
  alert.while_open = [&] { first_offer = alert.facts_.same_type_after; };
  Answer(ModalResult::kYes);
  Answer(ModalResult::kYes);
  Cycle();
  EXPECT_EQ(Alerts(), 2);
  EXPECT_EQ(first_offer, 0u);
}

// A change signal rescans only the rows that read where it came from: the
// other rows are as the baseline has them, with their commands, so that
// what changed there is neither new nor gone until a cycle scans them.
TEST_F(PollCycleTest, ACycleOfSomeRowsLeavesTheOthersAsTheBaselineHasThem) {
  const std::string services = "\\SYSTEM\\CurrentControlSet\\Services\\";
  const auto plant_service = [&](const std::string& name, const std::string& program) {
    registry.SetInteger(kMachine, services + name, "Start", 2);
    registry.SetString(kMachine, services + name, "ImagePath", program);
  };
  plant_service("Old", "old.exe");
  plant_service("Gone", "gone.exe");
  TakeBaselineInventory(platform, switches, tables);
  plant_service("New", "new.exe");
  plant_service("Old", "evil.exe");
  registry.RemoveKey(kMachine, services + "Gone");
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");

  Answer(ModalResult::kNo);  // Tool, the one entry of the user's Run row
  RunPollCycle(context, RowSelection::Only("2"));
  EXPECT_EQ(Alerts(), 1);
  EXPECT_FALSE(UserRunHas("Tool"));
  EXPECT_EQ(Baseline(), (Strings{kRunEntry + "Existing", "4Old", "4Gone"}));
  EXPECT_EQ(tables.baseline_commands.at("4Old").command, "old.exe");

  Answer(ModalResult::kYes);  // Old, changed
  Answer(ModalResult::kYes);  // New
  Cycle();
  EXPECT_EQ(Alerts(), 3);
  EXPECT_EQ(Baseline(), (Strings{kRunEntry + "Existing", "4Old", "4New"}));
  EXPECT_EQ(tables.baseline_commands.at("4Old").command, "evil.exe");
}

}  // namespace
}  // namespace corvane
