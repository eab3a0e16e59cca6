#include <gtest/gtest.h>

#include "memory_platform_fixture.h"
#include "removal/file_removals.h"

namespace corvane {
namespace {

const std::string kWinIni = "C:\\WINDOWS\\win.ini";
const std::string kCopy = "C:\\WINDOWS\\win.ini.cv";

class FileRemovalsTest : public MemoryPlatformTest {
 protected:
  BackupStore store{files, environment, "C:\\Data\\", {}};
  StoreKeeper keeper{store, {}};
  void SetUp() override { environment.Set("windir", "C:\\WINDOWS"); }
  RemovalResult Decline(const std::string& line) {
    return RemoveIniStartup(files, environment, keeper, "win.ini", line);
  }
};

TEST_F(FileRemovalsTest, AStartupFileMovesOutAndALockedOneIsReportedAsStillThere) {
  const std::string path = "C:\\Users\\Жанна\\Start Menu\\Programs\\startup\\Ж中.lnk";
  EXPECT_EQ(RemoveStartupFolderFile(files, keeper, path), RemovalResult::kAlreadyGone);
  files.AddFile(path, "link");
  EXPECT_EQ(RemoveStartupFolderFile(files, keeper, path), RemovalResult::kRemoved);
  EXPECT_FALSE(files.FileExists(path));
  EXPECT_EQ(files.Content("C:\\Data\\Removed\\Ж中.lnk"), "link");
  files.AddFile(path, "", MemoryFileSystem::kReadOnly);
  EXPECT_EQ(RemoveStartupFolderFile(files, keeper, path), RemovalResult::kRefused);
  EXPECT_TRUE(files.FileExists(path));
  // Listed, yet not found by its name: still there, never "already gone".
  files.SetFailure(path, MemoryFileSystem::Failure::kUnreachable);
  EXPECT_EQ(RemoveStartupFolderFile(files, keeper, path), RemovalResult::kRefused);
}

// Only the declined line's value bytes go; every other byte stays as it was.
TEST_F(FileRemovalsTest, TheDeclinedLineLosesItsValueAndNothingElseChanges) {
  const struct {
    std::string before, line, after;
  } cases[] = {
      {"[windows]\r\nload=pest.exe\r\nrun=good.exe pest.exe\r\n[pest.exe]\r\npest.exe=1\r\n",
       "load=pest.exe", "[windows]\r\nload=\r\nrun=good.exe pest.exe\r\n[pest.exe]\r\npest.exe=1\r\n"},
      {"[boot]\nshell=Explorer.exe pest.exe\nother=1\n", "shell=Explorer.exe pest.exe",
       "[boot]\nshell=\nother=1\n"},
      {"x=1\r\nrun=pest.exe", "run=pest.exe", "x=1\r\nrun="},                  // no final line end
      {"run=pe\rst.exe\r\nx=\r1\r", "run=pest.exe", "run=\r\r\nx=\r1\r"},  // lone CRs stay
      {"run=pest.exe\r\n\x1A[more]\r\nrun=pest.exe\r\n", "run=pest.exe",
       "run=\r\n\x1A[more]\r\nrun=pest.exe\r\n"},  // behind Ctrl-Z is no line; it stays
      {"run=pest.exe\x1Ajunk", "run=pest.exe", "run=\x1Ajunk"},
      {"RUN=a.exe\r\nrun=a.exe\r\nrun=A.EXE\r\n", "run=a.exe", "RUN=a.exe\r\nrun=\r\nrun=A.EXE\r\n"},
      {"run=caf\xE9.exe\r\n", "run=café.exe", "run=\r\n"},  // lines are ANSI text
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    EXPECT_EQ(StripIniEntry(files, c.before, c.line), c.after);
    files.AddFile(kWinIni, c.before);
    EXPECT_EQ(Decline(c.line), RemovalResult::kRemoved);
    EXPECT_EQ(files.Content(kWinIni), c.after);
    EXPECT_FALSE(files.FileExists(kCopy));
  }
}

TEST_F(FileRemovalsTest, AnIniFileThatMayNotBeReplacedStaysWholeWithItsAttributes) {
  const std::string text = "[windows]\r\nrun=pest.exe\r\n";
  for (const unsigned attributes : {unsigned{MemoryFileSystem::kReadOnly},
                                    MemoryFileSystem::kReadOnly | MemoryFileSystem::kHidden}) {
    files.AddFile(kWinIni, text, attributes);
    EXPECT_EQ(Decline("run=pest.exe"), RemovalResult::kRefused);
    EXPECT_EQ(files.Content(kWinIni), text);
    EXPECT_EQ(files.Attributes(kWinIni), attributes);
    EXPECT_FALSE(files.FileExists(kCopy));
  }
  files.AddFile(kWinIni, text, MemoryFileSystem::kHidden);
  EXPECT_EQ(Decline("run=pest.exe"), RemovalResult::kRemoved);
  EXPECT_EQ(files.Attributes(kWinIni), MemoryFileSystem::kHidden);
}

TEST_F(FileRemovalsTest, AFileThatTheProgramDidNotMakeIsNeverWrittenNorDeleted) {
  files.AddFile(kWinIni, "run=pest.exe\r\n");
  files.AddFile(kCopy, "someone else's");
  EXPECT_EQ(Decline("run=pest.exe"), RemovalResult::kRemoved);
  EXPECT_EQ(files.Content(kWinIni), "run=\r\n");
  EXPECT_EQ(files.Content(kCopy), "someone else's");
  EXPECT_FALSE(files.FileExists("C:\\WINDOWS\\win.ini.2.cv"));

  // An unreadable INI file: nothing is written, nothing deleted.
  files.AddFile(kWinIni, "run=pest.exe\r\n");
  files.SetFailure(kWinIni, MemoryFileSystem::Failure::kCannotRead);
  EXPECT_EQ(Decline("run=pest.exe"), RemovalResult::kRefused);
  EXPECT_EQ(files.Content(kCopy), "someone else's");
}

TEST_F(FileRemovalsTest, ACopyThatCannotBeWrittenLeavesTheFileAsItWas) {
  const std::string text = "run=pest.exe\r\n";
  files.AddFile(kWinIni, text);
  files.SetFailure("C:\\WINDOWS", MemoryFileSystem::Failure::kCannotWrite);
  EXPECT_EQ(Decline("run=pest.exe"), RemovalResult::kRefused);
  EXPECT_EQ(files.Content(kWinIni), text);
}

TEST_F(FileRemovalsTest, ALineAlreadyGoneOrWithoutValueLeavesTheFileUntouched) {
  for (const std::string line : {"run=pest.exe", "RUN="}) {
    files.AddFile(kWinIni, "run=other.exe\nRUN=\n");
    EXPECT_EQ(Decline(line), RemovalResult::kAlreadyGone);
    EXPECT_EQ(files.Content(kWinIni), "run=other.exe\nRUN=\n");
  }
  EXPECT_EQ(RemoveIniStartup(files, environment, keeper, "system.ini", "shell=x.exe"),
            RemovalResult::kAlreadyGone);
}

}  // namespace
}  // namespace corvane
