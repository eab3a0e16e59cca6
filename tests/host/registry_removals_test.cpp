#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "removal/registry_removals.h"

namespace corvane {
namespace {

const std::string kMachineRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "\\SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

class RegistryRemovalsTest : public ChangeHandlingTest {
 protected:
  void SetUp() override { EnableLog(); }
  std::string Blacklist() const { return files.Content(ProgramFile("blacklist")); }
};

TEST_F(RegistryRemovalsTest, ValueNamesWithBackslashesAreRemovedWhole) {
  EXPECT_EQ(LocateRunValue("2" + kMachineRun + "\\a\\b").key_path, kMachineRun);
  EXPECT_EQ(LocateRunValue("2" + kMachineRun + "\\a\\b").value_name, "a\\b");
  EXPECT_EQ(LocateRunValue("1" + kMachineRun + "Once\\x").key_path, kMachineRun + "Once");
  EXPECT_EQ(LocateRunValue("2\\Other\\Key\\v").key_path, "\\Other\\Key\\");
  EXPECT_EQ(LocateRunValue("2\\Other\\Key\\v").value_name, "v");

  registry.SetString(kUser, kUserRun, "a\\b", "x.exe");
  registry.SetString(kUser, kUserRun, "b", "keep.exe");
  Answer(ModalResult::kNo);
  RemoveRegistryStartup(context, "2" + std::string(kUserRun) + "\\a\\b");
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "a\\b"));
  EXPECT_TRUE(registry.GetValue(kUser, kUserRun, "b"));
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup: a\\b [User Invoked] \r\n");
}

TEST_F(RegistryRemovalsTest, TheDefaultValueIsRemovedUnderAnEmptyName) {
  registry.SetString(kMachine, kMachineRun, "", "d.exe");
  Answer(ModalResult::kNo);
  RemoveRegistryStartup(context, "1" + kMachineRun + "\\");
  EXPECT_FALSE(registry.GetValue(kMachine, kMachineRun, ""));
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup:  [User Invoked] \r\n");
}

TEST_F(RegistryRemovalsTest, DoNotAskPutsTheNameOnTheBlacklistWhateverTheAnswer) {
  registry.SetString(kUser, kUserRun, "Kept", "k.exe");
  registry.SetString(kUser, kUserRun, "Gone", "g.exe");
  Answer(ModalResult::kYes, true);
  RemoveRegistryStartup(context, "2" + std::string(kUserRun) + "\\Kept");
  EXPECT_TRUE(registry.GetValue(kUser, kUserRun, "Kept"));
  EXPECT_FALSE(alert.DoNotAskChecked());
  Answer(ModalResult::kNo, true);
  RemoveRegistryStartup(context, "2" + std::string(kUserRun) + "\\Gone");
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "Gone"));
  EXPECT_EQ(Blacklist(), "Kept\r\nGone\r\n");
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Registry Startup: Gone [User Invoked] \r\n");
}

TEST_F(RegistryRemovalsTest, AValueAlreadyGoneCountsAsRemoved) {
  Answer(ModalResult::kNo);
  RemoveRegistryStartup(context, "2" + std::string(kUserRun) + "\\Vanished");
  EXPECT_EQ(context.flags.removal, 1);
  EXPECT_EQ(context.flags.failure, 0);
}

TEST_F(RegistryRemovalsTest, StartPageIsEmptiedNotRestored) {
  registry.SetString(kUser, kMain, "Start Page", "http://pest.invalid/");
  Answer(ModalResult::kNo);
  RemoveIEStartPage(context);
  EXPECT_EQ(registry.GetValue(kUser, kMain, "Start Page")->data, "");
  EXPECT_EQ(events[2], "alert Registry | IE Startup Page");
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted IE Startup Page [User Invoked]\r\n");
}

TEST_F(RegistryRemovalsTest, AStartPageThatCannotBeWrittenIsAFailureWithoutALogLine) {
  registry.SetString(kUser, kMain, "Start Page", "http://pest.invalid/");
  registry.RefuseWriting(kUser, kMain);
  Answer(ModalResult::kNo);
  RemoveIEStartPage(context);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(context.flags.removal, 0);
  EXPECT_EQ(context.flags.failure, 1);
}

TEST_F(RegistryRemovalsTest, BrowserHelperGoesWithEverythingBelowIt) {
  registry.SetString(kMachine, kHelpers + "\\{PEST}\\Sub\\Deeper", "v", "x");
  registry.CreateKey(kMachine, kHelpers + "\\{GOOD}");
  Answer(ModalResult::kNo);
  RemoveIEBHO(context, "{PEST}");
  EXPECT_FALSE(registry.KeyExists(kMachine, kHelpers + "\\{PEST}"));
  EXPECT_TRUE(registry.KeyExists(kMachine, kHelpers + "\\{GOOD}"));
  EXPECT_EQ(events[2], "alert Registry | IE BHO Location");
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted IE BHO [User Invoked]\r\n");
}

TEST_F(RegistryRemovalsTest, BrowserHelperThatMayNotBeDeletedIsReportedAsStillThere) {
  registry.CreateKey(kMachine, kHelpers + "\\{PEST}");
  registry.RefuseWriting(kMachine, kHelpers);
  Answer(ModalResult::kNo);
  RemoveIEBHO(context, "{PEST}");
  EXPECT_TRUE(registry.KeyExists(kMachine, kHelpers + "\\{PEST}"));
  EXPECT_EQ(Log(), std::string(kStamp) + "Could not delete IE BHO [User Invoked]\r\n");
  EXPECT_EQ(context.flags.failure, 1);
  EXPECT_EQ(context.flags.removal, 0);
}

TEST_F(RegistryRemovalsTest, ServiceIsDisabledAndKept) {
  registry.SetInteger(kMachine, kServices + "\\Pest", "Start", 2);
  registry.SetString(kMachine, kServices + "\\Pest", "ImagePath", "p.exe");
  Answer(ModalResult::kNo);
  RemoveServiceStartup(context, "Pest");
  EXPECT_EQ(registry.GetValue(kMachine, kServices + "\\Pest", "start")->number, 4u);
  EXPECT_EQ(events[2], "alert Registry Service | Pest");
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Service Startup: Pest [User Invoked]\r\n");
}

TEST_F(RegistryRemovalsTest, ServiceWhoseKeyIsGoneIsNeitherLoggedNorAFailure) {
  Answer(ModalResult::kNo);
  RemoveServiceStartup(context, "Gone");
  EXPECT_EQ(Log(), "");
  EXPECT_FALSE(registry.KeyExists(kMachine, kServices + "\\Gone"));
  EXPECT_EQ(context.flags.removal, 0);
  EXPECT_EQ(context.flags.failure, 0);
}

TEST_F(RegistryRemovalsTest, ServiceThatMayNotBeChangedIsAFailure) {
  registry.SetInteger(kMachine, kServices + "\\Locked", "Start", 2);
  registry.RefuseWriting(kMachine, kServices + "\\Locked");
  Answer(ModalResult::kNo);
  RemoveServiceStartup(context, "Locked");
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(context.flags.failure, 1);
}

TEST_F(RegistryRemovalsTest, KeepingTouchesNothing) {
  registry.SetString(kUser, kMain, "Start Page", "http://kept.invalid/");
  registry.SetInteger(kMachine, kServices + "\\Svc", "Start", 2);
  Answer(ModalResult::kYes);
  Answer(ModalResult::kNone);
  RemoveIEStartPage(context);
  RemoveServiceStartup(context, "Svc");
  EXPECT_EQ(registry.GetValue(kUser, kMain, "Start Page")->data, "http://kept.invalid/");
  EXPECT_EQ(registry.GetValue(kMachine, kServices + "\\Svc", "Start")->number, 2u);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(context.flags.removal + context.flags.failure, 0);
}

}  // namespace
}  // namespace corvane
