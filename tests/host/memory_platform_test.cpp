// The in-memory platform stands in for Windows in every host test; these
// cases pin the Windows behaviour that the logic relies on.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "memory_platform_fixture.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;

class MemoryRegistryTest : public MemoryPlatformTest {
 protected:
  std::unique_ptr<RegistryAccessor> Open(RegistryRoot root, const std::string& path,
                                         KeyAccess access, bool create = false) {
    auto accessor = registry.CreateAccessor();
    accessor->SetRoot(root);
    opened = accessor->OpenKey(path, create, access);
    return accessor;
  }
  bool opened = false;
};

TEST_F(MemoryRegistryTest, NamesIgnoreLetterCaseAndListingsKeepCreationOrder) {
  registry.SetString(kUser, kUserRun, "Zeta", "z.exe");
  registry.SetString(kUser, kUserRun, "alpha", "a.exe");
  registry.SetString(kUser, kUserRun, "", "default.exe");
  registry.SetString(kUser, "\\SOFTWARE\\microsoft\\Windows\\CurrentVersion\\RUN", "ZETA", "z2");

  auto run = Open(kUser, "\\software\\Microsoft\\Windows\\CurrentVersion\\Run\\", KeyAccess::kRead);
  ASSERT_TRUE(opened);
  EXPECT_EQ(run->ValueNames(), (Strings{"Zeta", "alpha", ""}));
  EXPECT_EQ(ReadText(*run, "zeta"), "z2");
  EXPECT_EQ(ReadText(*run, ""), "default.exe");
  std::string listed;
  for (auto& [name, value] : run->Values()) listed += name + '=' + *TextOfRawValue(value) + ';';
  EXPECT_EQ(listed, "Zeta=z2;alpha=a.exe;=default.exe;");
}

TEST_F(MemoryRegistryTest, ReadsFollowTheTypesOfTheValues) {
  registry.SetExpandString(kUser, "\\K", "expand", "%windir%\\x.exe");
  registry.SetInteger(kUser, "\\K", "number", 0xFFFFFFFFu);
  registry.SetBinary(kUser, "\\K", "bytes", std::string("\x01\x02", 2));
  auto key = Open(kUser, "\\K", KeyAccess::kRead);

  EXPECT_EQ(ReadText(*key, "expand"), "%windir%\\x.exe");
  EXPECT_EQ(ReadText(*key, "missing"), std::nullopt);
  EXPECT_EQ(ReadText(*key, "number"), std::nullopt);
  EXPECT_EQ(ReadText(*key, "bytes"), std::nullopt);
  EXPECT_EQ(ReadNumber(*key, "number"), -1);
  EXPECT_EQ(ReadNumber(*key, "missing"), std::nullopt);
  EXPECT_EQ(ReadNumber(*key, "expand"), std::nullopt);

  key->CloseKey();
  EXPECT_EQ(ReadText(*key, "expand"), std::nullopt);
  EXPECT_EQ(ReadNumber(*key, "number"), std::nullopt);
  EXPECT_FALSE(WriteText(*key, "x", "y"));
  EXPECT_TRUE(key->ValueNames().empty());
  EXPECT_TRUE(key->Values().empty());
}

TEST_F(MemoryRegistryTest, AKeyOpenedForReadingCannotBeChanged) {
  registry.SetString(kUser, kUserRun, "Tool", "t.exe");
  auto run = Open(kUser, kUserRun, KeyAccess::kRead);
  EXPECT_FALSE(run->DeleteValue("Tool"));
  EXPECT_FALSE(WriteText(*run, "Tool", ""));
  EXPECT_TRUE(registry.GetValue(kUser, kUserRun, "Tool").has_value());

  run = Open(kUser, kUserRun, KeyAccess::kReadWrite);
  EXPECT_TRUE(run->DeleteValue("TOOL"));
  EXPECT_FALSE(run->DeleteValue("Tool"));
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "Tool").has_value());
}

TEST_F(MemoryRegistryTest, AccessRulesRefuseWhatAnAccountMayNotDo) {
  registry.CreateKey(kMachine, "\\Locked");
  registry.RefuseWriting(kMachine, "\\Locked");
  registry.RefuseReading(kMachine, "\\Secret");

  Open(kMachine, "\\Locked", KeyAccess::kRead);
  EXPECT_TRUE(opened);
  Open(kMachine, "\\Locked", KeyAccess::kReadWrite);
  EXPECT_FALSE(opened);
  Open(kMachine, "\\Locked\\New", KeyAccess::kReadWrite, true);
  EXPECT_FALSE(opened);
  EXPECT_FALSE(registry.KeyExists(kMachine, "\\Locked\\New"));
  Open(kMachine, "\\Secret", KeyAccess::kRead);
  EXPECT_FALSE(opened);

  auto root = Open(kMachine, "", KeyAccess::kRead);
  EXPECT_FALSE(root->DeleteKey("Locked"));
  EXPECT_TRUE(registry.KeyExists(kMachine, "\\Locked"));
}

TEST_F(MemoryRegistryTest, OpenCreatesOnlyWhenAskedAndAFailedOpenLeavesNoKeyOpen) {
  registry.SetString(kUser, "\\A", "v", "1");
  auto accessor = Open(kUser, "\\A", KeyAccess::kRead);
  ASSERT_TRUE(opened);
  EXPECT_FALSE(accessor->OpenKey("\\B", false, KeyAccess::kRead));
  EXPECT_FALSE(registry.KeyExists(kUser, "\\B"));
  EXPECT_TRUE(accessor->ValueNames().empty());

  EXPECT_TRUE(accessor->OpenKey("\\B\\C", true, KeyAccess::kReadWrite));
  EXPECT_TRUE(WriteNumber(*accessor, "Start", 4));
  EXPECT_EQ(registry.GetValue(kUser, "\\B\\C", "start")->number, 4u);
}

TEST_F(MemoryRegistryTest, DeleteKeyTakesTheWholeSubtreeAndKeysStillOpenGoDead) {
  registry.SetString(kMachine, "\\BHO\\{X}\\Sub\\Deeper", "v", "1");
  registry.CreateKey(kMachine, "\\BHO\\{Y}");
  auto deeper = Open(kMachine, "\\BHO\\{X}\\Sub\\Deeper", KeyAccess::kRead);

  auto bho = Open(kMachine, "\\BHO", KeyAccess::kRead);
  EXPECT_TRUE(bho->DeleteKey("{x}"));
  EXPECT_FALSE(bho->DeleteKey("{X}"));
  EXPECT_EQ(bho->SubkeyNames(), (Strings{"{Y}"}));
  EXPECT_TRUE(deeper->ValueNames().empty());

  bho->CloseKey();
  EXPECT_FALSE(bho->DeleteKey("{Y}"));
  EXPECT_TRUE(registry.KeyExists(kMachine, "\\BHO\\{Y}"));
}

class MemoryFileSystemTest : public MemoryPlatformTest {};

TEST_F(MemoryFileSystemTest, PathsIgnoreLetterCaseAndSearchesListOnlyOrdinaryFiles) {
  files.AddFile("C:\\Start\\b.lnk");
  files.AddFile("C:\\Start\\A.LNK", "", MemoryFileSystem::kReadOnly);
  files.AddFile("C:\\Start\\desktop.ini", "", MemoryFileSystem::kHidden);
  files.AddFile("C:\\Start\\sys.dat", "", MemoryFileSystem::kSystem);
  files.AddDirectory("C:\\Start\\Sub");
  files.AddFile("C:\\Start\\Sub\\deep.lnk");

  EXPECT_TRUE(files.DirectoryExists("c:\\START\\"));
  EXPECT_TRUE(files.FileExists("c:\\start\\a.lnk"));
  EXPECT_FALSE(files.FileExists("C:\\Start\\Sub"));
  EXPECT_FALSE(files.DirectoryExists(""));
  EXPECT_EQ(files.FindFiles("c:\\start\\*.*"), (Strings{"b.lnk", "A.LNK"}));
  EXPECT_EQ(files.FindFiles("C:\\Start\\*.lnk"), (Strings{"b.lnk", "A.LNK"}));
  EXPECT_EQ(files.FindFiles("C:\\Start\\a?lnk"), (Strings{"A.LNK"}));
  EXPECT_TRUE(files.FindFiles("C:\\Missing\\*.*").empty());
}

TEST_F(MemoryFileSystemTest, InjectedFailuresRaiseInOutErrors) {
  files.AddFile("C:\\W\\win.ini", "run=a\r\n");
  files.AddFile("C:\\W\\locked.ini", "x");
  files.SetFailure("C:\\W\\win.ini", MemoryFileSystem::Failure::kCannotRead);
  files.SetFailure("C:\\W\\locked.ini", MemoryFileSystem::Failure::kCannotWrite);

  EXPECT_THROW(ReadTextLines(files, "C:\\W\\win.ini"), InOutError);
  EXPECT_THROW(ReadTextLines(files, "C:\\W\\missing.ini"), InOutError);
  EXPECT_THROW(ReadTextLines(files, "C:\\W"), InOutError);
  EXPECT_THROW(files.WriteLines("C:\\W\\locked.ini", {"y"}), InOutError);
  EXPECT_THROW(files.AppendLine("C:\\NoFolder\\log", "y"), InOutError);
  EXPECT_FALSE(files.RemoveFile("C:\\W\\locked.ini"));
  EXPECT_EQ(files.Content("C:\\W\\locked.ini"), "x");
}

TEST_F(MemoryFileSystemTest, WritesEndLinesWithCarriageReturnLineFeed) {
  const auto log = files.ProgramDirectory() + "corvane.log";
  files.AppendLine(log, "first");
  files.AppendLine(log, "second");
  EXPECT_EQ(files.Content(log), "first\r\nsecond\r\n");
  files.WriteLines(log, {"only"});
  EXPECT_EQ(ReadTextLines(files, log), (Strings{"only"}));
  EXPECT_TRUE(files.RemoveFile(log));
  EXPECT_FALSE(files.FileExists(log));
}

}  // namespace
}  // namespace corvane
