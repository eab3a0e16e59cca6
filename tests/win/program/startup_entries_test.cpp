// What starts on this PC, as a user meets it: the Startup entries window
// lists it, the search narrows it, Disable and Enable write Task Manager's
// switch as Task Manager does, Remove takes an entry away with a backup
// that Removed entries lists, and Export writes what the list shows; the
// command line exports too, while the program runs.
#include <string>
#include <vector>

#include "automation/input.h"
#include "automation/list_view.h"
#include "automation/message_box.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "platform/win32/wide.h"
#include "program/planting.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using automation::WaitUntil;

const std::string kApprovedRun =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const std::string kName = "Корвейн 工具";
const std::string kOther = "CvStoryOther";

class ProgramStartupEntriesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    CleanUp();
  }
  void TearDown() override {
    ProgramTest::TearDown();
    CleanUp();
  }
  void CleanUp() {
    for (const std::string& name : {kName, kOther}) {
      PutStored(HKEY_CURRENT_USER, kRunKey, name, std::nullopt);
      PutStored(HKEY_CURRENT_USER, kApprovedRun, name, std::nullopt);
    }
    for (const char* file : {"list.csv", "list.json"}) PutFileBytes(Beside(file), std::nullopt);
  }
  std::string Approved() const {
    const auto value = ReadStored(HKEY_CURRENT_USER, kApprovedRun, kName);
    return value && value->type == REG_BINARY ? value->bytes : "absent";
  }
  HWND ChildOfClass(HWND parent, const char* window_class) const {
    for (const auto& child : automation::ChildrenOf(parent)) {
      if (lstrcmpiA(automation::ClassOf(child.window).c_str(), window_class) == 0 &&
          IsWindowVisible(child.window)) {
        return child.window;
      }
    }
    return nullptr;
  }
  void Type(HWND edit, const std::string& text) const {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
  }
  HWND Button(HWND window, const char* text) const {
    return automation::ChildWithText(window, text).window;
  }
  // Every row as the CSV file has it.
  static std::string AsCsv(const std::vector<std::vector<std::string>>& rows) {
    std::string csv;
    for (const auto& row : rows) {
      for (std::size_t at = 0; at < row.size(); ++at) {
        csv += (at == 0 ? "\"" : ",\"") + row[at] + "\"";
      }
      csv += "\r\n";
    }
    return csv;
  }
};

TEST_F(ProgramStartupEntriesTest, SearchSwitchRemoveAndExportAsAUserWould) {
  // Before the first start, which takes what is there unasked.
  WriteValue(HKEY_CURRENT_USER, kRunKey, kName.c_str(), "C:\\cvstory\\tool.exe /q");
  WriteValue(HKEY_CURRENT_USER, kRunKey, kOther.c_str(), "C:\\cvstory\\other.exe");
  ASSERT_NE(Start(), nullptr);
  Choose(kStartupEntriesCommand);
  const HWND window = automation::WaitForWindow(ProcessId(), texts::kStartupEntriesCaption);
  ASSERT_NE(window, nullptr);
  const HWND list = automation::ListViewIn(window);
  const HWND search = ChildOfClass(window, "Edit");
  const auto rows = [&] { return automation::ListViewRows(list); };
  const auto names = [&] {
    std::vector<std::string> shown;
    for (const auto& row : rows()) shown.push_back(row.at(0));
    return shown;
  };
  const auto shown = [&] {
    std::string text;
    for (const auto& name : names()) text += name + "; ";
    return text;
  };
  EXPECT_EQ(automation::ListViewHeadings(list).size(), 8u);
  Type(search, "CVSTORY");
  EXPECT_TRUE(WaitUntil([&] { return names().size() == 2; })) << shown();
  Type(search, kName);
  ASSERT_TRUE(WaitUntil([&] { return names() == std::vector<std::string>{kName}; })) << shown();
  ASSERT_TRUE(automation::ClickListViewRow(list, 0));

  automation::Click(Button(window, texts::kDisableButton));
  EXPECT_TRUE(WaitUntil([&] { return Approved().size() == 12 && Approved()[0] == '\3'; }));
  EXPECT_TRUE(WaitUntil([&] { return rows().at(0).at(6) == texts::kApprovedDisabled; }));
  automation::Click(Button(window, texts::kEnableButton));
  EXPECT_TRUE(WaitUntil([&] { return Approved() == "\2" + std::string(11, '\0'); }));
  // The user's own switch is no news: no alert follows.
  Tick();
  EXPECT_FALSE(WaitUntil(
      [&] { return IsWindowVisible(automation::FindWindowOf(ProcessId(), texts::kAlertCaption)); },
      1500));

  // Export writes what the list shows, after the headings.
  automation::Click(Button(window, texts::kExportButton));
  const HWND save = automation::WaitForWindow(ProcessId(), "Save As");
  ASSERT_NE(save, nullptr);
  // The file name box: a combo box (cmb13) in the dialogs of today, an edit
  // box (edt1) in the older ones.
  const HWND file_name =
      GetDlgItem(save, 0x47c) != nullptr ? GetDlgItem(save, 0x47c) : GetDlgItem(save, 0x480);
  Type(file_name, Beside("list.csv"));
  PostMessageW(save, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return FileBytes(Beside("list.csv")).has_value(); }));
  const std::string csv = *FileBytes(Beside("list.csv"));
  EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), AsCsv(rows()));

  // Remove keeps a backup first, which Removed entries lists.
  automation::Click(Button(window, texts::kRemoveButton));
  const auto box = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
  ASSERT_NE(box.window, nullptr);
  automation::Click(GetDlgItem(box.window, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return !ReadValue(HKEY_CURRENT_USER, kRunKey, kName.c_str()); }));
  EXPECT_TRUE(WaitUntil([&] { return rows().empty(); }));
  automation::Click(Button(window, texts::kRemovedEntriesButton));
  const HWND removed = automation::WaitForWindow(ProcessId(), texts::kRemovedEntriesCaption);
  ASSERT_NE(removed, nullptr);
  EXPECT_TRUE(WaitUntil([&] {
    const auto listed = automation::ListViewRows(automation::ListViewIn(removed));
    return listed.size() == 1 && listed[0].at(1) == kName;
  }));
  automation::PressKey(removed, VK_ESCAPE);
  ASSERT_TRUE(automation::WaitUntilHidden(removed));
  automation::Click(Button(window, texts::kCloseButton));
  EXPECT_TRUE(automation::WaitUntilHidden(window));

  // The command line, while the program runs: a list in JSON, and a bad argument.
  automation::Process exported(ProgramPath(), {"/export", Beside("list.json")});
  ASSERT_TRUE(exported.WaitForExit(60000));
  EXPECT_EQ(exported.ExitCode(), 0u);
  EXPECT_NE(FileBytes(Beside("list.json")).value_or("").find("\"entry\": \"" + kOther + "\""),
            std::string::npos);
  automation::Process wrong(ProgramPath(), {"/export", Beside("list.txt")});
  ASSERT_TRUE(wrong.WaitForExit(60000));
  EXPECT_EQ(wrong.ExitCode(), 2u);
  automation::Process usage(ProgramPath(), {"/?"});
  EXPECT_NE(usage.Output().find("/export <file>"), std::string::npos);
}

}  // namespace
}  // namespace corvane::program_test
