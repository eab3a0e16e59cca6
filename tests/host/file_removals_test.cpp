#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "removal/file_removals.h"

namespace corvane {
namespace {

const std::string kWinIni = "C:\\WINDOWS\\win.ini";
const std::string kCopy = "C:\\WINDOWS\\win.ini.cv";
const std::string kWinIniText =
    "[windows]\r\n"
    "load=pest.exe\r\n"
    "run=good.exe pest.exe\r\n"
    "run=PEST.EXE\r\n"
    "[pest.exe]\r\n"
    "pest.exe=1\r\n";

class FileRemovalsTest : public ChangeHandlingTest {
 protected:
  void SetUp() override {
    EnableLog();
    environment.Set("windir", "C:\\WINDOWS");
    files.AddFile(kWinIni, kWinIniText);
  }
};

TEST_F(FileRemovalsTest, StartupFileIsDeletedAndLoggedByItsName) {
  const std::string path = "C:\\All Users\\Start Menu\\Programs\\Startup\\pest.lnk";
  files.AddFile(path);
  Answer(ModalResult::kNo);
  RemoveStartupFolderFile(context, path);
  EXPECT_FALSE(files.FileExists(path));
  EXPECT_EQ(events[2], "alert Startup Folder | ...Start Menu\\Programs\\Startup\\pest.lnk");
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted Startup Folder file: pest.lnk [User Invoked]\r\n");
  EXPECT_EQ(context.flags.removal, 1);
}

TEST_F(FileRemovalsTest, StartupFileThatCannotBeDeletedIsReportedAsStillThere) {
  const std::string path = "C:\\Start\\locked.lnk";
  files.AddFile(path, "", MemoryFileSystem::kReadOnly);
  Answer(ModalResult::kNo);
  RemoveStartupFolderFile(context, path);
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_EQ(Log(), std::string(kStamp) + "Could not delete Startup Folder file: locked.lnk [User Invoked]\r\n");
  EXPECT_EQ(context.flags.removal, 0);
  EXPECT_EQ(context.flags.failure, 1);
}

TEST_F(FileRemovalsTest, OnlyTheDeclinedLineLosesItsValue) {
  Answer(ModalResult::kNo);
  RemoveIniStartup(context, "win.ini", "load=pest.exe");
  EXPECT_EQ(events[2], "alert win.ini File | pest.exe");
  EXPECT_EQ(files.Content(kWinIni),
            "[windows]\r\nload=\r\nrun=good.exe pest.exe\r\nrun=PEST.EXE\r\n[pest.exe]\r\npest.exe=1\r\n");
  EXPECT_FALSE(files.FileExists(kCopy));
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted .INI Startup: pest.exe [User Invoked]\r\n");
}

TEST_F(FileRemovalsTest, AGrownLineLosesItsWholeValueAndLineFeedsBecomeCarriageReturnLineFeeds) {
  files.AddFile("C:\\WINDOWS\\system.ini", "[boot]\nshell=Explorer.exe pest.exe\nother=1\n");
  Answer(ModalResult::kNo);
  RemoveIniStartup(context, "system.ini", "shell=Explorer.exe pest.exe");
  EXPECT_EQ(files.Content("C:\\WINDOWS\\system.ini"), "[boot]\r\nshell=\r\nother=1\r\n");
}

TEST_F(FileRemovalsTest, APartialCopyNeverReplacesTheFile) {
  files.AddFile(kCopy, "stale");
  files.SetFailure(kCopy, MemoryFileSystem::Failure::kWriteCutShort);
  Answer(ModalResult::kNo);
  RemoveIniStartup(context, "win.ini", "load=pest.exe");
  EXPECT_EQ(files.Content(kWinIni), kWinIniText);
  EXPECT_FALSE(files.FileExists(kCopy));
  EXPECT_EQ(Log(), std::string(kStamp) + "Could not delete .INI Startup: pest.exe [User Invoked]\r\n");
  EXPECT_EQ(context.flags.failure, 1);
}

TEST_F(FileRemovalsTest, AnIniFileThatCannotBeReplacedStaysAsItWas) {
  files.SetFailure(kWinIni, MemoryFileSystem::Failure::kCannotWrite);
  Answer(ModalResult::kNo);
  RemoveIniStartup(context, "win.ini", "load=pest.exe");
  EXPECT_EQ(files.Content(kWinIni), kWinIniText);
  EXPECT_FALSE(files.FileExists(kCopy));
  EXPECT_EQ(context.flags.failure, 1);
}

TEST_F(FileRemovalsTest, ALineAlreadyGoneLeavesTheFileUntouchedAndCountsAsRemoved) {
  files.AddFile(kWinIni, "run=other.exe\n");
  Answer(ModalResult::kNo);
  RemoveIniStartup(context, "win.ini", "run=pest.exe");
  EXPECT_EQ(files.Content(kWinIni), "run=other.exe\n");
  EXPECT_EQ(context.flags.removal, 1);
}

TEST_F(FileRemovalsTest, AnEmptyValueChangesNothing) {
  files.AddFile(kWinIni, "RUN=\r\n");
  Answer(ModalResult::kNo);
  RemoveIniStartup(context, "win.ini", "RUN=");
  EXPECT_EQ(files.Content(kWinIni), "RUN=\r\n");
  EXPECT_FALSE(files.FileExists(kCopy));
}

TEST_F(FileRemovalsTest, KeepingLeavesTheFileAndTheLogAlone) {
  Answer(ModalResult::kYes);
  RemoveIniStartup(context, "win.ini", "load=pest.exe");
  EXPECT_EQ(files.Content(kWinIni), kWinIniText);
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace corvane
