#include <gtest/gtest.h>

#include "app/settings.h"
#include "change_handling_fixture.h"
#include "platform/errors.h"
#include "platform/memory/memory_profile_file.h"

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

  std::string caption;
  Options options;
  bool cancel_enabled = true;
  bool shown = false;
};

class SettingsTest : public ChangeHandlingTest {
 protected:
  void SetUp() override { timer.running = true; }

  MemoryProfileFile profile;
  FakeSettingsWindow window;
  CycleFlags flags{1, 1, 1};
  SettingsContext settings{platform, profile, window, window, tables, timer, flags};
};

TEST_F(SettingsTest, AFirstRunShowsTheWindowWithEverythingCheckedAndCancelDisabled) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  InitializeSettings(settings);
  EXPECT_EQ(window.caption, "Corvane - V2.1");
  EXPECT_TRUE(window.options.autorun && window.options.registry_keys &&
              window.options.startup_folders && window.options.services &&
              window.options.ini_files);
  EXPECT_TRUE(window.shown);
  EXPECT_FALSE(window.cancel_enabled);
  EXPECT_EQ(flags.removal, 0);
  EXPECT_EQ(Baseline(), Strings{"2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool"});
}

TEST_F(SettingsTest, AnyStoredVersionMeansNoFirstRunAndStoredFlagsApplyToTheFirstScan) {
  profile.Of("\\corvane.ini") = {{"V", "1.0"}, {"2", "0x0"}, {"3", "true"}, {"5", "0"}};
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  InitializeSettings(settings);
  EXPECT_FALSE(window.shown);
  EXPECT_TRUE(window.cancel_enabled);
  EXPECT_FALSE(window.options.registry_keys);
  EXPECT_TRUE(window.options.startup_folders);
  EXPECT_FALSE(window.options.ini_files);
  EXPECT_TRUE(Baseline().empty());
}

TEST_F(SettingsTest, SaveWritesTheOptionsRegistersTheProgramAndTakesItIntoTheBaseline) {
  window.options.services = false;
  SaveSettings(settings);
  EXPECT_EQ(profile.Of("\\corvane.ini"), (std::map<std::string, std::string>{
                                {"1", "1"}, {"2", "1"}, {"3", "1"}, {"4", "0"}, {"5", "1"}, {"V", "2.1"}}));
  EXPECT_EQ(registry.GetValue(kMachine, kMachineRun, "Corvane")->data,
            "\"C:\\Program Files\\Corvane\\corvane.exe\"");
  EXPECT_EQ(Baseline(), Strings{"1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Corvane"});
  EXPECT_TRUE(window.cancel_enabled);
  EXPECT_FALSE(window.shown);
  EXPECT_EQ(events.back(), "timer start");
}

TEST_F(SettingsTest, SaveWithoutAutorunDeletesTheValueWhetherOrNotItWasThere) {
  window.options.autorun = false;
  SaveSettings(settings);
  EXPECT_EQ(profile.Of("\\corvane.ini")["1"], "0");
  registry.SetString(kMachine, kMachineRun, "Corvane", "\"x.exe\"");
  registry.SetString(kMachine, kMachineRun, "Other", "o.exe");
  SaveSettings(settings);
  EXPECT_FALSE(registry.GetValue(kMachine, kMachineRun, "Corvane"));
  EXPECT_TRUE(registry.GetValue(kMachine, kMachineRun, "Other"));
}

TEST_F(SettingsTest, AnOptionsFileThatCannotBeWrittenStopsSaveWhereItFailed) {
  window.shown = true;
  window.cancel_enabled = false;
  timer.Stop();
  profile.failing_key = "3";
  try {
    SaveSettings(settings);
    FAIL() << "Save did not report the failure";
  } catch (const InOutError& error) {
    EXPECT_STREQ(error.what(), "Unable to write to corvane.ini");
  }
  EXPECT_EQ(profile.Of("\\corvane.ini"), (std::map<std::string, std::string>{{"1", "1"}, {"2", "1"}}));
  EXPECT_FALSE(registry.KeyExists(kMachine, kMachineRun));
  EXPECT_TRUE(window.shown);
  EXPECT_TRUE(window.cancel_enabled);
  EXPECT_FALSE(timer.running);
}

TEST_F(SettingsTest, AMachineRunKeyThatMayNotBeWrittenIsSkippedQuietly) {
  registry.CreateKey(kMachine, kMachineRun);
  registry.RefuseWriting(kMachine, kMachineRun);
  SaveSettings(settings);
  EXPECT_FALSE(registry.GetValue(kMachine, kMachineRun, "Corvane"));
  EXPECT_FALSE(window.shown);
  EXPECT_TRUE(timer.running);
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

}  // namespace
}  // namespace corvane
