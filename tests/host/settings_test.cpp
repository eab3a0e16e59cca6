#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/settings.h"
#include "changes/data_files.h"
#include "changes/poll_cycle.h"
#include "change_handling_fixture.h"
#include "platform/errors.h"
#include "platform/memory/memory_profile_file.h"
#include "texts.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;
const std::string kMachineRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(ReadOptionFlag, ZeroInAnyNotationIsUncheckedAndWhatIsNoNumberKeepsTheDefault) {
  for (const char* zero : {"0", "0x0", "0X00", "$0", "x0", "  0", "+0", "-0", "\t0"}) {
    EXPECT_FALSE(ReadOptionFlag(zero)) << '"' << zero << '"';
  }
  for (const char* checked : {"1", "-1", " 7", "0x10", "$ff", "X1", ""}) {
    EXPECT_TRUE(ReadOptionFlag(checked)) << '"' << checked << '"';
  }
  for (const char* not_a_number : {"true", "no", "0 ", "0x", "--0", "+", "0z", "99999999999"}) {
    EXPECT_TRUE(ReadOptionFlag(not_a_number)) << '"' << not_a_number << '"';
  }
}

class FakeSettingsWindow : public SettingsWindow, public AreaSwitches {
 public:
  void SetCaption(const std::string& text) override { caption = text; }
  Options CheckedOptions() const override { return options; }
  void SetCheckedOptions(const Options& checked) override { options = checked; }
  void SetCancelEnabled(bool enabled) override { cancel_enabled = enabled; }
  void SetShowForm(bool show) override { shown = show; }

  bool MonitorRegistryKeys() const override { return options.registry_keys; }
  bool MonitorStartupFolders() const override { return options.startup_folders; }
  bool MonitorServices() const override { return options.services; }
  bool MonitorIniFiles() const override { return options.ini_files; }
  bool MonitorIeObjects() const override { return true; }
  bool MonitorScheduledTasks() const override { return options.scheduled_tasks; }

  std::string caption;
  Options options;
  bool cancel_enabled = true;
  bool shown = false;
};

const std::string kMachineOptions = "C:\\WINDOWS\\corvane.ini";
const std::string kUserOptions = "C:\\Users\\Жанна\\AppData\\Roaming\\Corvane\\corvane.ini";

class SettingsTest : public ChangeHandlingTest {
 protected:
  void SetUp() override {
    timer.running = true;
    environment.Set("windir", "C:\\WINDOWS");
    environment.Set("APPDATA", "C:\\Users\\Жанна\\AppData\\Roaming");
    files.AddDirectory("C:\\WINDOWS");
    files.AddDirectory("C:\\Users\\Жанна\\AppData\\Roaming");
  }
  // What a user without administrator rights meets: the Windows directory's
  // options file and the machine's Run key refuse writing.
  void AsStandardUser() {
    files.AddFile(kMachineOptions);
    profile.RefuseWriting(kMachineOptions);
    registry.CreateKey(kMachine, kMachineRun);
    registry.RefuseWriting(kMachine, kMachineRun);
  }

  // A later run: a version in the options, and the baseline kept.
  void KeepBaseline() {
    settings.saved_baseline = &saved_baseline;
    settings.boxes = &boxes;
    profile.Of(kMachineOptions) = {{"V", "2.1"}};
  }

  static constexpr char kSavedBaseline[] = "C:\\Program Files\\Corvane\\baseline";
  BaselineFile saved_baseline{files, kSavedBaseline, {}};
  MemoryProfileFile profile{&files};
  FakeSettingsWindow window;
  SettingsContext settings{platform, profile, window, window, tables, timer};
};

TEST_F(SettingsTest, AFirstRunShowsTheWindowWithEverythingCheckedAndCancelDisabled) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  InitializeSettings(settings);
  EXPECT_EQ(window.caption, "Corvane - V2.1");
  EXPECT_TRUE(window.options.autorun && window.options.registry_keys &&
              window.options.startup_folders && window.options.services &&
              window.options.ini_files && window.options.scheduled_tasks);
  EXPECT_TRUE(window.shown);
  EXPECT_FALSE(window.cancel_enabled);
  EXPECT_EQ(Baseline(), Strings{"2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool"});
}

TEST_F(SettingsTest, AnyStoredVersionMeansNoFirstRunAndStoredFlagsApplyToTheFirstScan) {
  profile.Of(kMachineOptions) = {{"V", "1.0"}, {"2", "0x0"}, {"3", "true"}, {"5", "0"},
                                  {"7", "0"}};
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  InitializeSettings(settings);
  EXPECT_FALSE(window.shown);
  EXPECT_TRUE(window.cancel_enabled);
  EXPECT_FALSE(window.options.registry_keys);
  EXPECT_TRUE(window.options.startup_folders);
  EXPECT_FALSE(window.options.ini_files);
  EXPECT_FALSE(window.options.scheduled_tasks);
  EXPECT_TRUE(Baseline().empty());
}

TEST_F(SettingsTest, SaveWritesTheOptionsRegistersTheProgramAndTakesItIntoTheBaseline) {
  window.options.services = false;
  window.options.scheduled_tasks = false;
  SaveSettings(settings);
  EXPECT_EQ(profile.Of(kMachineOptions),
            (std::map<std::string, std::string>{{"1", "1"}, {"2", "1"}, {"3", "1"}, {"4", "0"},
                                                {"5", "1"}, {"7", "0"}, {"V", "2.1"}}));
  EXPECT_FALSE(profile.Exists(kUserOptions));
  EXPECT_EQ(registry.GetValue(kMachine, kMachineRun, "Corvane")->data,
            "\"C:\\Program Files\\Corvane\\corvane.exe\"");
  EXPECT_EQ(Baseline(), Strings{"1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Corvane"});
  EXPECT_TRUE(window.cancel_enabled);
  EXPECT_FALSE(window.shown);
  EXPECT_EQ(events.back(), "timer start");
}

TEST_F(SettingsTest, ClearingAutorunTakesTheValueOutOfBothRunKeys) {
  registry.SetString(kMachine, kMachineRun, "Corvane", "\"x.exe\"");
  registry.SetString(kUser, kUserRun, "Corvane", "\"x.exe\"");
  registry.SetString(kMachine, kMachineRun, "Other", "o.exe");
  window.options.autorun = false;
  SaveSettings(settings);
  EXPECT_EQ(profile.Of(kMachineOptions)["1"], "0");
  EXPECT_FALSE(registry.GetValue(kMachine, kMachineRun, "Corvane"));
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "Corvane"));
  EXPECT_TRUE(registry.GetValue(kMachine, kMachineRun, "Other"));
  SaveSettings(settings);  // nothing to delete is no error
}

TEST_F(SettingsTest, AStandardUserKeepsOptionsAndAutorunInTheUsersOwnPlaces) {
  AsStandardUser();
  SaveSettings(settings);
  EXPECT_EQ(profile.Of(kUserOptions)["V"], "2.1");
  EXPECT_EQ(registry.GetValue(kUser, kUserRun, "Corvane")->data,
            "\"C:\\Program Files\\Corvane\\corvane.exe\"");
  EXPECT_FALSE(registry.GetValue(kMachine, kMachineRun, "Corvane"));
  EXPECT_FALSE(window.shown);

  // From then on the user's copy is read, and written, whatever the other holds.
  profile.Of(kUserOptions)["3"] = "0";
  InitializeSettings(settings);
  EXPECT_FALSE(window.shown);
  EXPECT_FALSE(window.options.startup_folders);
  window.options.autorun = false;
  SaveSettings(settings);
  EXPECT_EQ(profile.Of(kUserOptions)["1"], "0");
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "Corvane"));
}

TEST_F(SettingsTest, OptionsThatCannotBeWrittenAnywhereStopSaveWithThePathAndWhatToDo) {
  AsStandardUser();
  profile.RefuseWriting(kUserOptions);
  window.shown = true;
  window.cancel_enabled = false;
  timer.Stop();
  try {
    SaveSettings(settings);
    FAIL() << "Save did not report the failure";
  } catch (const InOutError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + kUserOptions +
                  ". Make sure the file is not read-only and that your account may write to its "
                  "folder");
  }
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "Corvane"));
  EXPECT_TRUE(window.shown);
  EXPECT_TRUE(window.cancel_enabled);
  EXPECT_FALSE(timer.running);
}

// The log's file is the switch: Save makes it empty or deletes it, and keeps
// one that is there. Only the first Save of all points at the tray icon.
TEST_F(SettingsTest, SaveSwitchesTheLogByItsFileAndOnlyTheFirstSavePointsAtTheIcon) {
  const std::string log = ProgramFile("corvane.log");
  settings.log_file = log;
  settings.notices = &notices;
  window.options.keep_log = true;
  SaveSettings(settings);
  EXPECT_TRUE(files.FileExists(log));
  files.AddFile(log, "Deleted Tool\r\n");
  SaveSettings(settings);
  EXPECT_EQ(Log(), "Deleted Tool\r\n");
  files.SetFailure(log, MemoryFileSystem::Failure::kCannotWrite);
  window.options.keep_log = false;
  EXPECT_THROW(SaveSettings(settings), InOutError);
  files.SetFailure(log, MemoryFileSystem::Failure::kNone);
  SaveSettings(settings);
  EXPECT_FALSE(files.FileExists(log));
  EXPECT_EQ(std::count(events.begin(), events.end(), std::string("notice ") + texts::kWatchingNotice),
            1);
}

TEST_F(SettingsTest, CancelResumesMonitoringWithoutANewBaseline) {
  InitializeSettings(settings);
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  window.shown = true;
  timer.Stop();
  CancelSettings(settings);
  EXPECT_TRUE(timer.running);
  EXPECT_FALSE(window.shown);
  EXPECT_TRUE(Baseline().empty());
}

// What was added or changed while Corvane was not running is put to the
// user as soon as it starts again; a baseline taken with other areas, one
// that cannot be read or lacks the seal, or none after a first run, is not
// used, and the user is told.
TEST_F(SettingsTest, AStartComparesWithTheBaselineOfTheLastRunWhenTheAreasAreTheSame) {
  const std::string path = kSavedBaseline;
  KeepBaseline();
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  InitializeSettings(settings);
  ASSERT_TRUE(files.FileExists(path));

  registry.SetString(kUser, kUserRun, "Planted", "p.exe");
  registry.SetString(kUser, kUserRun, "Tool", "evil.exe");
  tables = EntryTables{};
  events.clear();
  InitializeSettings(settings);
  EXPECT_EQ(Baseline(), Strings{"2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool"});
  EXPECT_EQ(events, Strings{"timer soon"});
  Answer(ModalResult::kYes);
  Answer(ModalResult::kYes);
  RunPollCycle(context);
  EXPECT_EQ(alert.facts_.location,
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Planted");
  EXPECT_TRUE(alert.answers.empty());  // and the change of Tool was asked about before it

  const std::string told =
      "warning Corvane could not check what was added while it was not running: its saved "
      "list is missing or was changed";
  const auto sealed = files.Content(path);
  const std::function<void()> spoiled[] = {
      [&] { profile.Of(kMachineOptions)["5"] = "0"; },  // another set of areas
      [&] { files.AddFile(path, "not a baseline"); },
      [&] { files.AddFile(path, RecordSeal().Open(sealed).text); },  // the seal cut off
      [&] { files.RemoveFile(path); },
      [&] {  // last: a folder in its place
        files.RemoveFile(path);
        files.AddDirectory(path);
      },
  };
  registry.SetString(kUser, kUserRun, "Later", "l.exe");
  for (const auto& spoil : spoiled) {
    profile.Of(kMachineOptions).erase("5");
    files.AddFile(path, sealed);
    spoil();
    events.clear();
    InitializeSettings(settings);
    EXPECT_EQ(events, Strings{told});
    EXPECT_EQ(Baseline().size(), 3u);  // a fresh one, nothing asked
  }
}

TEST_F(SettingsTest, ABaselineOfAnEarlierTableTakesWhatTheRowsAddedSinceFindUnasked) {
  const std::string path = kSavedBaseline;
  KeepBaseline();
  InitializeSettings(settings);
  // As the first table's version wrote it: no line with the table's version.
  auto text = RecordSeal().Open(files.Content(path)).text;
  const auto line = text.find("places ");
  ASSERT_NE(line, std::string::npos);
  text.erase(line, text.find('\n', line) + 1 - line);
  files.AddFile(path, RecordSeal().Seal(text));

  const std::string manual = "\\SYSTEM\\CurrentControlSet\\Services\\Manual";
  registry.SetInteger(kMachine, manual, "Start", 3);
  registry.SetString(kMachine, manual, "ImagePath", "m.exe");
  registry.SetString(kUser, "\\Environment", "UserInitMprLogonScript", "logon.cmd");
  registry.SetString(kUser, kUserRun, "Planted", "p.exe");
  tables = EntryTables{};
  events.clear();
  InitializeSettings(settings);
  EXPECT_EQ(events, Strings{"timer soon"});
  Answer(ModalResult::kYes);
  RunPollCycle(context);
  EXPECT_EQ(alert.facts_.location,
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Planted");
  EXPECT_TRUE(alert.answers.empty());  // the only one asked about
}

// An installed copy keeps the user's data in the user's folder, elevated or
// not, and takes along what an earlier version left beside it; its first
// options window shows the installer's autorun choice.
TEST_F(SettingsTest, AnInstalledCopyKeepsOneDataFolderAndShowsTheInstallersChoice) {
  const std::string program = "C:\\Program Files\\Corvane\\";
  const std::string user = "C:\\Users\\Жанна\\AppData\\Roaming\\Corvane\\";
  files.AddFile(program + "blacklist", "Pest\r\n");
  files.AddFile(program + "Backups\\1.txt", "record");
  files.AddFile(program + "Removed\\Ж中.lnk", "link", MemoryFileSystem::kNormal);
  files.SetFailure(program + "Removed\\Ж中.lnk", MemoryFileSystem::Failure::kCannotWrite);
  files.AddFile(program + "baseline", "old");
  files.AddFile(user + "baseline", "the user's");
  EXPECT_EQ(LocateDataFiles(files, environment).folder, program) << "a portable copy";

  files.AddFile(program + "installed.txt");
  EXPECT_EQ(LocateDataFiles(files, environment).folder, user);
  EXPECT_EQ(files.Content(user + "blacklist"), "Pest\r\n");
  EXPECT_FALSE(files.FileExists(program + "blacklist"));
  EXPECT_EQ(files.Content(user + "Backups\\1.txt"), "record");
  // Where this account may not delete, a copy; the user's own file stays.
  EXPECT_EQ(files.Content(user + "Removed\\Ж中.lnk"), "link");
  EXPECT_EQ(files.Content(user + "baseline"), "the user's");

  InitializeSettings(settings);
  EXPECT_FALSE(window.options.autorun) << "the installer wrote no Run value";
  registry.SetString(kMachine, kMachineRun, "Corvane", "\"" + program + "corvane.exe\"");
  InitializeSettings(settings);
  EXPECT_TRUE(window.options.autorun);
}

}  // namespace
}  // namespace corvane
