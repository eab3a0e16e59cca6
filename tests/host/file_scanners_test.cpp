#include <gtest/gtest.h>

#include "memory_platform_fixture.h"
#include "platform/errors.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;

class StartupFolderScannerTest : public MemoryPlatformTest {
 protected:
  void SetUp() override {
    environment.Set("windir", "C:\\WINDOWS");
    environment.Set("ALLUSERSPROFILE", "C:\\Documents and Settings\\All Users");
    environment.Set("USERPROFILE", "C:\\Documents and Settings\\Bob");
  }
  void Scan() { ScanRow('3'); }
};

TEST_F(StartupFolderScannerTest, FoldersInOrderWithTheLetterCaseOfEachSubPath) {
  files.AddFile("C:\\Documents and Settings\\Administrator\\Start Menu\\Programs\\Startup\\d.lnk");
  files.AddFile("C:\\Documents and Settings\\Bob\\Start Menu\\Programs\\Startup\\c.lnk");
  files.AddFile("C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup\\b.lnk");
  files.AddFile("C:\\WINDOWS\\Start Menu\\Programs\\Startup\\a.lnk");
  Scan();
  EXPECT_EQ(Current(), (Strings{
                           "3C:\\WINDOWS\\Start Menu\\Programs\\Startup\\a.lnk",
                           "3C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup\\b.lnk",
                           "3C:\\Documents and Settings\\Bob\\Start Menu\\Programs\\startup\\c.lnk",
                           "3C:\\Documents and Settings\\Administrator\\Start Menu\\Programs\\startup\\d.lnk",
                       }));
}

TEST_F(StartupFolderScannerTest, OnlyOrdinaryFilesAreListedReadOnlyIncluded) {
  const std::string folder = "C:\\Documents and Settings\\Bob\\Start Menu\\Programs\\Startup\\";
  files.AddFile(folder + "desktop.ini", "", MemoryFileSystem::kHidden);
  files.AddFile(folder + "system.dat", "", MemoryFileSystem::kSystem);
  files.AddDirectory(folder + "Subfolder");
  files.AddFile(folder + "kept.lnk", "", MemoryFileSystem::kReadOnly);
  Scan();
  EXPECT_EQ(Current(),
            Strings{"3C:\\Documents and Settings\\Bob\\Start Menu\\Programs\\startup\\kept.lnk"});
}

TEST_F(StartupFolderScannerTest, TheAdministratorsOwnFolderIsFoundTwice) {
  environment.Set("USERPROFILE", "C:\\Documents and Settings\\Administrator");
  files.AddFile("C:\\Documents and Settings\\Administrator\\Start Menu\\Programs\\Startup\\x.lnk");
  Scan();
  const std::string entry =
      "3C:\\Documents and Settings\\Administrator\\Start Menu\\Programs\\startup\\x.lnk";
  EXPECT_EQ(Current(), (Strings{entry, entry}));
}

TEST_F(StartupFolderScannerTest, MissingVariablesAndFoldersAreSkippedQuietly) {
  environment.Unset("ALLUSERSPROFILE");
  environment.Unset("USERPROFILE");
  files.AddDirectory("C:\\WINDOWS");  // no Start Menu below it
  files.AddFile("Administrator\\Start Menu\\Programs\\startup\\rel.lnk");
  Scan();
  // Without a user profile the Administrator folder is looked for as a bare name.
  EXPECT_EQ(Current(), Strings{"3Administrator\\Start Menu\\Programs\\startup\\rel.lnk"});

  tables.current.Reset();
  environment.Set("USERPROFILE", "C:\\Documents and Settings\\Bob");
  files.AddDirectory("C:\\Documents and Settings\\Bob");  // profile without a Startup folder
  Scan();
  EXPECT_TRUE(Current().empty());
}

class IniScannerTest : public MemoryPlatformTest {
 protected:
  void SetUp() override { environment.Set("windir", "C:\\WINDOWS"); }
  void Scan() {
    ScanRow('5');
    ScanRow('6');
  }
};

TEST_F(IniScannerTest, MatchesKeysInAnyCaseButNotTheBareLowerCaseKey) {
  files.AddFile("C:\\WINDOWS\\win.ini",
                "[windows]\r\n"
                "load=loader.exe\r\n"
                "Run=C:\\a.exe\r\n"
                "run=\r\n"
                "RUN=\r\n"
                " run=blank.exe\r\n"
                "run =space.exe\r\n"
                "ru\r\n"
                "runner=x\r\n"
                "[other]\n"
                "LOAD=b.exe  \n");
  files.AddFile("C:\\WINDOWS\\system.ini", "[boot]\r\nshell=Explorer.exe\r\nShell=\r\nshell=\r\n");
  Scan();
  EXPECT_EQ(Current(), (Strings{"5Run=C:\\a.exe", "5RUN=", "5load=loader.exe", "5LOAD=b.exe  ",
                                "6shell=Explorer.exe", "6Shell="}));
}

TEST_F(IniScannerTest, ReadsByTheTextRulesOfThePlatform) {
  files.AddFile("C:\\WINDOWS\\win.ini", "run=a.exe\r\nrun=b.exe\nrun=c.exe\x1Arun=after.exe\r\n");
  Scan();
  EXPECT_EQ(Current(), (Strings{"5run=a.exe", "5run=b.exe", "5run=c.exe"}));
}

TEST_F(IniScannerTest, MissingFilesContributeNothing) {
  Scan();
  EXPECT_TRUE(Current().empty());
  files.AddFile("C:\\WINDOWS\\system.ini", "shell=explorer.exe\r\n");
  Scan();
  EXPECT_EQ(Current(), Strings{"6shell=explorer.exe"});
}

TEST_F(IniScannerTest, AnUnreadableFileRaisesAfterTheEarlierPassesHaveAppended) {
  files.AddFile("C:\\WINDOWS\\win.ini", "run=a.exe\r\nload=b.exe\r\n");
  files.AddFile("C:\\WINDOWS\\system.ini", "shell=explorer.exe\r\n");
  files.SetFailure("C:\\WINDOWS\\system.ini", MemoryFileSystem::Failure::kCannotOpen);
  EXPECT_THROW(Scan(), InOutError);
  EXPECT_EQ(Current(), (Strings{"5run=a.exe", "5load=b.exe"}));

  tables.current.Reset();
  files.SetFailure("C:\\WINDOWS\\win.ini", MemoryFileSystem::Failure::kCannotRead);
  EXPECT_THROW(Scan(), InOutError);
  EXPECT_TRUE(Current().empty());
}

}  // namespace
}  // namespace corvane
