#include <gtest/gtest.h>

#include "changes/saved_baseline.h"
#include "memory_platform_fixture.h"
#include "platform/errors.h"

namespace corvane {
namespace {

TEST(SavedBaselineTest, AnyEntryAndCommandComesBackAsItWasAndAnythingElseIsRefused) {
  EntryTables tables;
  const std::vector<std::string> entries = {
      "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Тест工具",
      std::string("2\\Run\\a\0b", 10),
      "3C:\\Start%41 Menu\\\t\r\n.lnk",
      "5run=\x1A\xFF end",
      "T\\Folder\\Name",
  };
  for (const auto& entry : entries) tables.baseline.Append(entry);
  tables.baseline_commands[entries[0]] = {"\"C:\\t.exe\" -x", RawValue{2, std::string("a\0\xFF", 3)},
                                          ""};
  tables.baseline_commands[entries[2]] = {"C:\\t.exe", RawValue{}, std::string("L\0\0\0\r\n", 6)};
  tables.first_seen[entries[1]] = "2026-12-08 06:45:10";
  const auto text = FormatSavedBaseline("101111", tables);
  const auto saved = ParseSavedBaseline(text);
  EXPECT_EQ(saved.switches, "101111");
  EXPECT_EQ(saved.entries.Entries(), entries);
  EXPECT_EQ(saved.first_seen, tables.first_seen);
  ASSERT_EQ(saved.commands.size(), 2u);
  for (const auto& [entry, command] : tables.baseline_commands) {
    const auto& back = saved.commands.at(entry);
    EXPECT_EQ(back.command, command.command);
    EXPECT_EQ(back.value, command.value);
    EXPECT_EQ(back.file_bytes, command.file_bytes);
  }

  const std::string head = "Corvane baseline 1\r\nswitches 111111\r\n";
  for (const auto& bad : std::vector<std::string>{
           "",
           "Corvane baseline 2\r\nswitches 111111\r\nend\r\n",
           head + "E a\r\n",                         // cut short
           text.substr(0, text.size() / 2),          // cut short anywhere
           head + "E a%4\r\nend\r\n",                // a broken escape
           head + "C x\t1\tb\tc\r\nend\r\n",         // a command of no entry
           head + "E a\r\nC x\t1\tb\r\nend\r\n",     // a field missing
           head + "E a\r\nC x\tone\tb\tc\r\nend\r\n",  // a type that is no number
           head + "E a\r\nC x\t9999999999\tb\tc\r\nend\r\n",  // a type beyond 32 bits
           head + "E a\r\nX b\r\nend\r\n",
           // A sighting of no entry, and one with no sortable time.
           head + "F 2026-12-08 06:45:10\r\nend\r\n",
           head + "E a\r\nF 2026-12-08 6:45:10\r\nend\r\n",
       }) {
    EXPECT_THROW(ParseSavedBaseline(bad), InOutError) << bad;
  }
}

class BaselineFileTest : public MemoryPlatformTest {
 protected:
  const std::string folder = "C:\\Users\\Жанна\\AppData\\Roaming\\Corvane";
  const std::string path = folder + "\\baseline";
  void SetUp() override { files.AddDirectory(folder); }
};

TEST_F(BaselineFileTest, WritesOnlyWhatChangedAndNeverLeavesHalfAFile) {
  BaselineFile file(files, path, {});
  EXPECT_FALSE(file.Load());
  tables.baseline.Append("2\\Run\\Tool");
  file.Save(switches, tables);
  const auto written = files.Content(path);
  EXPECT_EQ(ParseSavedBaseline(RecordSeal().Open(written).text).entries.Entries(),
            tables.baseline.Entries());

  // Unchanged, nothing is written: a folder that takes nothing does not matter.
  files.SetFailure(folder, MemoryFileSystem::Failure::kCannotWrite);
  file.Save(switches, tables);
  tables.baseline.Append("2\\Run\\Other");
  EXPECT_THROW(file.Save(switches, tables), InOutError);
  EXPECT_EQ(files.Content(path), written);
  EXPECT_EQ(files.FindFiles(folder + "\\*.*"), std::vector<std::string>{"baseline"});

  // A later run reads it back; one that finds garbage says so.
  BaselineFile later(files, path, {});
  EXPECT_EQ(later.Load()->entries.Entries(), std::vector<std::string>{"2\\Run\\Tool"});
  files.AddFile(path, "Corvane baseline 1\r\nswitches 111111\r\nE x");
  EXPECT_THROW(later.Load(), InOutError);
}

}  // namespace
}  // namespace corvane
