#include <gtest/gtest.h>

#include <algorithm>

#include "change_handling_fixture.h"
#include "changes/poll_cycle.h"
#include "changes/removed_entries_store.h"
#include "changes/startup_entries_store.h"
#include "changes/startup_export.h"
#include "monitor/autostart_locations.h"
#include "monitor/snapshot_scan.h"

namespace corvane {
namespace {

const std::string kPest = "\\SYSTEM\\CurrentControlSet\\Services\\Pest";
const std::string kApprovedRun = std::string(locations::kStartupApprovedKey) + "\\Run";

class StartupListTest : public ChangeHandlingTest {
 protected:
  void SetUp() override {
    environment.Set("windir", "C:\\WINDOWS");
    TakeSnapshotScan(platform, switches, tables);
    registry.SetString(kUser, kUserRun, "Tool", "C:\\Tools\\t.exe /x");
    registry.SetString(kUser, kUserRun, "Пуск", "p.exe");
    registry.SetBinary(kUser, kApprovedRun, "Пуск", std::string("\3\0\0\0\1\2\3\4\5\6\7\1", 12));
    registry.SetInteger(kMachine, kPest, "Start", 2);
    registry.SetString(kMachine, kPest, "ImagePath", "svc.exe");
    tasks.Add("\\Updates\\Daily", "<Task>d</Task>");
    Answer(ModalResult::kYes, false);
    alert.answers.back().same_for_rest = true;
    Answer(ModalResult::kYes);
    Answer(ModalResult::kYes);
    RunPollCycle(context);
    events.clear();
  }
  std::string ApprovedBytes(const std::string& name) const {
    const auto value = registry.GetValue(kUser, kApprovedRun, name);
    return value ? value->data : "-";
  }
  StartupEntriesStore store{platform, data, tables, clock};
};

TEST_F(StartupListTest, EveryEntryIsListedGroupedByBoxWithItsSwitchAndFirstSighting) {
  auto rows = store.List();
  std::vector<std::string> seen;
  for (auto& row : rows) {
    store.AddProgramFacts(row);
    seen.push_back(row.name + " | " + row.location + " | " + row.command + " | " + row.program +
                   " | " + CellText(row, StartupColumn::kStatus) +
                   (row.can_switch ? " | switch" : "") + " | " + row.first_seen);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Tool | HKCU" + std::string(kUserRun) +
                          " | C:\\Tools\\t.exe /x | C:\\Tools\\t.exe | Enabled | switch | "
                          "2026-12-08 06:45:10",
                      "Пуск | HKCU" + std::string(kUserRun) +
                          " | p.exe |  | Disabled | switch | 2026-12-08 06:45:10",
                      "Pest | HKLM\\SYSTEM\\CurrentControlSet\\Services | svc.exe |  | "
                      "Enabled | 2026-12-08 06:45:10",
                      "Daily | \\Updates |  |  | Enabled | 2026-12-08 06:45:10",
                  }));

  // Search looks at every column; the order can follow any of them.
  const auto names = [&](const RowFilter& filter, const RowOrder& order) {
    std::string shown;
    for (const auto at : ShownRows(rows, filter, order)) shown += rows[at].name + ";";
    return shown;
  };
  EXPECT_EQ(names({"TOOLS\\T"}, {}), "Tool;");
  EXPECT_EQ(names({"disabled"}, {}), "Пуск;");
  EXPECT_EQ(names({""}, {true, StartupColumn::kEntry, true}), "Пуск;Tool;Pest;Daily;");
  rows[0].signature = {SignatureState::kVerified, "Microsoft Windows"};
  EXPECT_EQ(names({"", true}, {}), "Пуск;Pest;Daily;");
  EXPECT_EQ(names({"", false}, {}), "Tool;Пуск;Pest;Daily;");
}

TEST_F(StartupListTest, WhatTheUserDoesInTheListIsWrittenAsWindowsWritesItAndNeverAskedAbout) {
  auto rows = store.List();
  ASSERT_TRUE(store.SetEnabled(rows[0], false));
  EXPECT_EQ(ApprovedBytes("Tool").substr(0, 4), std::string("\3\0\0\0", 4));
  EXPECT_EQ(ApprovedBytes("Tool").size(), 12u);
  ASSERT_TRUE(store.SetEnabled(rows[1], true));
  EXPECT_EQ(ApprovedBytes("Пуск"), std::string(1, '\2') + std::string(11, '\0'));
  EXPECT_FALSE(store.SetEnabled(rows[2], false));  // a service has no such switch
  RunPollCycle(context);
  EXPECT_EQ(store.List()[0].status, EntryStatus::kDisabled);

  // Removed as No removes it: a backup that Removed entries can put back.
  EnableLog();
  EXPECT_TRUE(store.Remove(rows[0]).removed);
  EXPECT_FALSE(registry.GetValue(kUser, kUserRun, "Tool"));
  RemovedEntriesStore removed{platform, data, tables, clock};
  ASSERT_EQ(removed.List().size(), 1u);
  EXPECT_NE(Log().find("Deleted"), std::string::npos);
  RunPollCycle(context);
  EXPECT_TRUE(events.empty()) << events.front();
  // Planted again, it is new.
  registry.SetString(kUser, kUserRun, "Tool", "C:\\Tools\\t.exe /x");
  Answer(ModalResult::kYes);
  RunPollCycle(context);
  EXPECT_NE(std::find_if(events.begin(), events.end(),
                         [](const std::string& event) { return event.rfind("alert ", 0) == 0; }),
            events.end());
}

TEST(StartupExportTest, FieldsSurviveAndNoneIsTakenForAFormula) {
  StartupRow row;
  row.name = "=HYPERLINK(\"x\")";
  row.location = "HKEY_CURRENT_USER\\Run";
  row.command = "a,b\r\n\"c\"";
  row.signature = {SignatureState::kVerified, "Ж中"};
  row.program = "C:\\a.exe";
  const auto csv = FormatExport({row}, ExportFormat::kCsv);
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2),
            "\"'=HYPERLINK(\"\"x\"\")\",\"\",\"HKEY_CURRENT_USER\\Run\",\"a,b\r\n\"\"c\"\"\",\"\","
            "\"Verified: Ж中\",\"Enabled\",\"\"\r\n");
  EXPECT_EQ(csv.substr(0, 11), "\xEF\xBB\xBF\"Entry\",");
  EXPECT_EQ(FormatExport({row}, ExportFormat::kJson),
            "[\n  {\"entry\": \"=HYPERLINK(\\\"x\\\")\", \"type\": \"\", \"location\": "
            "\"HKEY_CURRENT_USER\\\\Run\", \"command\": \"a,b\\u000d\\u000a\\\"c\\\"\", "
            "\"publisher\": \"\", \"signature\": \"Verified: Ж中\", \"status\": \"Enabled\", "
            "\"firstSeen\": \"\", \"program\": \"C:\\\\a.exe\"}\n]\n");
  EXPECT_EQ(ExportFormatOf("C:\\Out\\List.CSV"), ExportFormat::kCsv);
  EXPECT_EQ(ExportFormatOf("list.json"), ExportFormat::kJson);
  EXPECT_EQ(ExportFormatOf("list.txt"), std::nullopt);
}

}  // namespace
}  // namespace corvane
