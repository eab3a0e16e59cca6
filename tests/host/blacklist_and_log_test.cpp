#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "changes/activity_log.h"
#include "changes/blacklist.h"
#include "changes/blacklist_matches.h"
#include "changes/new_entry.h"
#include "platform/errors.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;

class BlacklistTest : public ChangeHandlingTest {
 protected:
  const std::string list = ProgramFile("blacklist");
  void List(const std::string& bytes) { files.AddFile(list, bytes); }
  bool Listed(const std::string& name) const { return IsBlacklisted(files, list, name); }
};

TEST_F(BlacklistTest, MatchesTrimmedNamesWithLetterCaseCounting) {
  List("  MyApp\t\r\nOther\r\n\r\n");
  EXPECT_TRUE(Listed("MyApp"));
  EXPECT_TRUE(Listed(" MyApp  "));
  EXPECT_FALSE(Listed("myapp"));
  EXPECT_FALSE(Listed("My"));
  // An empty line never matches the unnamed default value, a line of blanks does.
  EXPECT_FALSE(Listed(""));
  List("   \r\n");
  EXPECT_TRUE(Listed(""));
}

TEST_F(BlacklistTest, MissingOrUnreadableListBlacklistsNothing) {
  EXPECT_FALSE(Listed("MyApp"));
  List("MyApp\r\n");
  files.SetFailure(list, MemoryFileSystem::Failure::kCannotRead);
  EXPECT_FALSE(Listed("MyApp"));
}

TEST_F(BlacklistTest, LinesInUtf8AndInTheAnsiCodePageBothMatch) {
  // "Café" typed in an ANSI editor, then a name the program added in UTF-8.
  List("Caf\xE9\r\n");
  AddToBlacklist(files, list, "Тест工具");
  EXPECT_TRUE(Listed("Café"));
  EXPECT_TRUE(Listed("Тест工具"));
  EXPECT_EQ(LoadBlacklist(files, list), (Strings{"Café", "Тест工具"}));
}

TEST_F(BlacklistTest, AnAddedNameReadsBackAsItselfWhateverTheListEndedIn) {
  const struct {
    std::string before, after;
  } cases[] = {
      {"", "CvGamma\r\n"},
      {"Beta", "Beta\r\nCvGamma\r\n"},  // no line end: one goes first
      {"Beta\n", "Beta\nCvGamma\r\n"},
      {"Beta\r\n\x1A", "Beta\r\nCvGamma\r\n"},  // behind a Ctrl-Z no reader would see it
      {"Beta\r\n\x1Aold", "Beta\r\nCvGamma\r\n"},
  };
  for (const auto& c : cases) {
    List(c.before);
    AddToBlacklist(files, list, "CvGamma");
    EXPECT_EQ(files.Content(list), c.after) << c.before;
  }
  EXPECT_TRUE(Listed("CvGamma"));
  EXPECT_TRUE(Listed("Beta"));
}

TEST_F(BlacklistTest, ANameThatCannotStandAsOneLineIsNeverWritten) {
  for (const std::string& name : {std::string("Cv\r\nSecurityHealth"), std::string("Cv\nX"),
                                 std::string("Cv\x1A"), std::string("CvLegit\0Evil", 12),
                                 std::string("\xED\xA0\x80")}) {  // a lone surrogate
    EXPECT_FALSE(CanBeBlacklisted(name));
    AddToBlacklist(files, list, name);
  }
  EXPECT_FALSE(files.FileExists(list));
  EXPECT_TRUE(CanBeBlacklisted("Тест 工具 (x86)"));
}

TEST_F(BlacklistTest, AddAndSaveMakeTheFolderAndReportAFailureWithThePath) {
  data.folder = "C:\\Users\\Жанна\\AppData\\Roaming\\Corvane\\";
  files.AddDirectory("C:\\Users\\Жанна\\AppData\\Roaming");
  AddToBlacklist(files, data.Blacklist(), " Spaced ");
  SaveBlacklist(files, data.Blacklist(), {"a", "", " b "});
  EXPECT_EQ(files.Content(data.Blacklist()), "a\r\n\r\n b \r\n");

  files.SetFailure(data.Blacklist(), MemoryFileSystem::Failure::kCannotWrite);
  for (const auto& write : std::vector<std::function<void()>>{
           [&] { AddToBlacklist(files, data.Blacklist(), "x"); },
           [&] { SaveBlacklist(files, data.Blacklist(), {"x"}); }}) {
    try {
      write();
      ADD_FAILURE() << "the failure was not reported";
    } catch (const InOutError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Unable to write to C:\\Users\\Жанна\\AppData\\Roaming\\Corvane\\blacklist. Make "
                "sure the file is not read-only and that your account may write to its folder");
    }
  }
}

TEST_F(BlacklistTest, EditorLoadsAndDeletes) {
  EXPECT_TRUE(LoadBlacklist(files, list).empty());
  List("a\r\n\r\n b \r\nc\r\n");
  const auto items = LoadBlacklist(files, list);
  EXPECT_EQ(items, (Strings{"a", "", " b ", "c"}));
  EXPECT_EQ(WithoutSelected(items, 2), (Strings{"a", "", "c"}));
  EXPECT_EQ(WithoutSelected(items, -1), items);
  files.SetFailure(list, MemoryFileSystem::Failure::kCannotRead);
  EXPECT_THROW(LoadBlacklist(files, list), InOutError);
}

// Removed unasked, a blacklisted value is told of by the tray icon, and its
// match is kept for the editor unless that record cannot be written.
TEST_F(BlacklistTest, ABlacklistedValueGivesANoticeAndLeavesItsMatch) {
  const struct {
    std::string name;
    bool refused, record_fails;
    std::string notice, matches;
  } cases[] = {
      {"Pest", false, false, "notice Corvane removed Pest (blacklisted)",
       "2026-12-08 06:45:10\tPest\r\n"},
      {" Pest\n", false, false, "notice Corvane removed  Pest\\n (blacklisted)",
       "2026-12-08 06:45:10\tPest\r\n"},
      {"Pest", true, false, "notice Corvane could not remove Pest (blacklisted)",
       "2026-12-08 06:45:10\tPest\r\n"},
      {"Pest", false, true, "notice Corvane removed Pest (blacklisted)", ""},
  };
  List("Pest\r\n");
  EnableLog();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.notice);
    events.clear();
    files.RemoveFile(data.BlacklistMatches());
    if (c.record_fails) files.AddDirectory(data.BlacklistMatches());
    // Refused in the machine's Run key, so that the others can still go.
    const auto root = c.refused ? kMachine : kUser;
    if (c.refused) registry.RefuseWriting(root, kUserRun);
    registry.SetString(root, kUserRun, c.name, "pest.exe");
    HandleNewEntry(context, (c.refused ? "1" : "2") + std::string(kUserRun) + "\\" + c.name);
    FinishRemovals(context);
    EXPECT_EQ(events, Events{c.notice});
    EXPECT_EQ(registry.GetValue(root, kUserRun, c.name).has_value(), c.refused);
    EXPECT_EQ(files.Content(data.BlacklistMatches()), c.matches);
    EXPECT_FALSE(files.FileExists(data.BlacklistMatches() + ".new"));
  }
  const auto log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}

// The file keeps each name's latest match of the last 30 days.
TEST_F(BlacklistTest, MatchesAreKeptAndShownForThirtyDays) {
  const auto matches = data.BlacklistMatches();
  files.AddFile(matches,
                "2026-11-08 06:45:09\tOld\r\n2026-11-08 06:45:10\tEdge\r\n"
                "2026-11-20 10:00:00\tPest\r\n2026-12-05 08:00:00\tPest\r\n"
                "no time\tBad\r\n2026-12-0x 10:00:00\tBad\r\n2028-01-31 00:00:00\tLeap\r\n");
  RecordBlacklistMatches(files, matches, {" Тест\t"}, "2026-12-08 06:45:10");
  EXPECT_EQ(files.Content(matches),
            "2026-11-08 06:45:10\tEdge\r\n2028-01-31 00:00:00\tLeap\r\n"
            "2026-12-05 08:00:00\tPest\r\n2026-12-08 06:45:10\tТест\r\n");

  using Recent = std::map<std::string, std::string>;
  const struct {
    const char* now;
    Recent recent;
  } reads[] = {
      {"2026-12-31 10:00:00", {{"Leap", "2028-01-31"}, {"Pest", "2026-12-05"}, {"Тест", "2026-12-08"}}},
      {"2027-01-04 08:00:00", {{"Leap", "2028-01-31"}, {"Pest", "2026-12-05"}, {"Тест", "2026-12-08"}}},
      {"2027-01-04 08:00:01", {{"Leap", "2028-01-31"}, {"Тест", "2026-12-08"}}},
      {"2028-03-01 00:00:00", {{"Leap", "2028-01-31"}}},
      {"2028-03-01 00:00:01", {}},
      {"", {}},
  };
  for (const auto& read : reads) {
    EXPECT_EQ(RecentBlacklistMatches(files, matches, read.now), read.recent) << read.now;
  }
  files.SetFailure(matches, MemoryFileSystem::Failure::kCannotRead);
  EXPECT_TRUE(RecentBlacklistMatches(files, matches, "2026-12-08 06:45:10").empty());
  RecordBlacklistMatches(files, matches, {"Other"}, "2026-12-08 06:45:10");  // leaves it as it is
  files.SetFailure(matches, MemoryFileSystem::Failure::kNone);
  EXPECT_EQ(RecentBlacklistMatches(files, matches, "2026-12-08 06:45:10").count("Other"), 0u);
}

class ActivityLogTest : public ChangeHandlingTest {
 protected:
  const std::string log = ProgramFile("corvane.log");
};

TEST_F(ActivityLogTest, WritesOneLineForEveryEntryOnlyWhileTheLogExists) {
  WriteLog(files, log, "dropped");
  EXPECT_FALSE(files.FileExists(log));
  files.AddFile(log, "earlier line without its end");
  WriteLog(files, log, ComposeLogLine(clock, "Deleted IE BHO [User Invoked]"));
  WriteLog(files, log, "Deleted Registry Startup: Cv\r\nSecurityHealth" + std::string(1, '\0'));
  EXPECT_EQ(Log(), "earlier line without its end\r\n" + std::string(kStamp) +
                       "Deleted IE BHO [User Invoked]\r\n"
                       "Deleted Registry Startup: Cv\\r\\nSecurityHealth\\0\r\n");
  files.SetFailure(log, MemoryFileSystem::Failure::kCannotWrite);
  EXPECT_NO_THROW(WriteLog(files, log, "lost"));
}

TEST_F(ActivityLogTest, ViewerSplitsAtEveryKindOfLineEndAndReadsOldAnsiLines) {
  EXPECT_TRUE(LoadLog(files, log).empty());
  files.AddFile(log, "one\r\ntwo\nthree\rCaf\xE9\r\n\r\nЖ last");
  EXPECT_EQ(LoadLog(files, log), (Strings{"one", "two", "three", "Café", "", "Ж last"}));
}

}  // namespace
}  // namespace corvane
