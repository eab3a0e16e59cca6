#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "changes/activity_log.h"
#include "changes/blacklist.h"
#include "platform/errors.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;

class BlacklistTest : public ChangeHandlingTest {
 protected:
  void List(const std::string& bytes) { files.AddFile(ProgramFile("blacklist"), bytes); }
};

TEST_F(BlacklistTest, MatchesTrimmedNamesWithLetterCaseCounting) {
  List("  MyApp\t\r\nOther\r\n\r\n");
  EXPECT_TRUE(IsBlacklisted(files, "MyApp"));
  EXPECT_TRUE(IsBlacklisted(files, " MyApp  "));
  EXPECT_FALSE(IsBlacklisted(files, "myapp"));
  EXPECT_FALSE(IsBlacklisted(files, "My"));
  // An empty line never matches the unnamed default value, a line of blanks does.
  EXPECT_FALSE(IsBlacklisted(files, ""));
  List("   \r\n");
  EXPECT_TRUE(IsBlacklisted(files, ""));
}

TEST_F(BlacklistTest, MissingOrUnreadableListBlacklistsNothing) {
  EXPECT_FALSE(IsBlacklisted(files, "MyApp"));
  List("MyApp\r\n");
  files.SetFailure(ProgramFile("blacklist"), MemoryFileSystem::Failure::kCannotRead);
  EXPECT_FALSE(IsBlacklisted(files, "MyApp"));
}

TEST_F(BlacklistTest, AddAppendsTheNameAsPassedAndCreatesTheList) {
  AddToBlacklist(files, " Spaced ");
  AddToBlacklist(files, "");
  EXPECT_EQ(files.Content(ProgramFile("blacklist")), " Spaced \r\n\r\n");
  files.SetFailure(ProgramFile("blacklist"), MemoryFileSystem::Failure::kCannotWrite);
  EXPECT_THROW(AddToBlacklist(files, "x"), InOutError);
}

TEST_F(BlacklistTest, EditorLoadsDeletesAndSaves) {
  EXPECT_TRUE(LoadBlacklist(files).empty());
  List("a\r\n\r\n b \r\nc\r\n");
  const auto items = LoadBlacklist(files);
  EXPECT_EQ(items, (Strings{"a", "", " b ", "c"}));
  EXPECT_EQ(WithoutSelected(items, 2), (Strings{"a", "", "c"}));
  EXPECT_EQ(WithoutSelected(items, -1), items);

  SaveBlacklist(files, WithoutSelected(items, 0));
  EXPECT_EQ(files.Content(ProgramFile("blacklist")), "\r\n b \r\nc\r\n");
  SaveBlacklist(files, {});
  EXPECT_EQ(files.Content(ProgramFile("blacklist")), "");

  files.SetFailure(ProgramFile("blacklist"), MemoryFileSystem::Failure::kCannotWrite);
  EXPECT_NO_THROW(SaveBlacklist(files, {"x"}));
  files.SetFailure(ProgramFile("blacklist"), MemoryFileSystem::Failure::kCannotRead);
  EXPECT_THROW(LoadBlacklist(files), InOutError);
}

class ActivityLogTest : public ChangeHandlingTest {};

TEST_F(ActivityLogTest, WritesOnlyWhileTheLogExists) {
  WriteLog(files, "dropped");
  EXPECT_FALSE(files.FileExists(ProgramFile("corvane.log")));
  EnableLog();
  WriteLog(files, ComposeLogLine(clock, "Deleted IE BHO [User Invoked]"));
  EXPECT_EQ(Log(), std::string(kStamp) + "Deleted IE BHO [User Invoked]\r\n");
  files.SetFailure(ProgramFile("corvane.log"), MemoryFileSystem::Failure::kCannotWrite);
  EXPECT_NO_THROW(WriteLog(files, "lost"));
}

TEST_F(ActivityLogTest, ViewerSplitsAtEveryKindOfLineEnd) {
  EXPECT_TRUE(LoadLog(files).empty());
  files.AddFile(ProgramFile("corvane.log"), "one\r\ntwo\nthree\rfour\r\n\r\nlast");
  EXPECT_EQ(LoadLog(files), (Strings{"one", "two", "three", "four", "", "last"}));
}

}  // namespace
}  // namespace corvane
