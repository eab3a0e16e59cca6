// The window of removed entries as a user meets it: the host shows it over
// rows given on its command line and prints what was asked of them; this
// process reads the list and drives the window.
#include <string>
#include <vector>

#include "automation/list_view.h"
#include "platform/errors.h"
#include "platform/win32/framework/gui_handles.h"
#include "texts.h"
#include "windows/window_host_fixture.h"

namespace corvane {
namespace {

using automation::ChildWithText;
using automation::ListViewRows;
using automation::ListViewSelection;
using Lines = std::vector<std::string>;
using Rows = std::vector<Lines>;

const Lines kUpdater = {"08.12.2026 10:14:03", texts::kRegistryStartupType,
                        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\"
                        "Updater",
                        "\"C:\\Program Files\\Updater\\updater.exe\" /background"};
const Lines kShortcut = {"08.12.2026 09:58:41", texts::kStartupFolderType,
                         "C:\\Users\\Анна\\Start Menu\\Programs\\Startup\\Тест工具.lnk",
                         "C:\\工具\\тест.exe -start"};
const Lines kTask = {"07.12.2026 08:00:00", texts::kScheduledTaskType, "\\更新程序", ""};

class RemovedEntriesWindowTest : public WindowHostTest {
 protected:
  // Each row with what putting it back comes to.
  void OpenWindow(const std::vector<std::pair<Lines, const char*>>& rows) {
    std::vector<std::string> arguments{"removed"};
    for (const auto& [cells, outcome] : rows) {
      arguments.insert(arguments.end(), cells.begin(), cells.end());
      arguments.push_back(outcome);
    }
    window_ = Open(arguments, texts::kRemovedEntriesCaption);
    ASSERT_NE(window_, nullptr);
    for (const automation::ControlInfo& control : automation::ChildrenOf(window_)) {
      if (control.class_name == "SYSLISTVIEW32") list_ = control.window;
    }
    ASSERT_NE(list_, nullptr);
  }

  // The rows once there are that many, as given; the window lists them on
  // activation. The name that the window shows second is checked on its own.
  Rows RowsOnceThere(std::size_t count) const {
    automation::WaitUntil([&] { return ListViewRows(list_).size() == count; });
    Rows rows = ListViewRows(list_);
    for (Lines& row : rows) row.erase(row.begin() + 1);
    return rows;
  }

  // A click on the row's right end, in its last column; with Ctrl, the row
  // joins the selection.
  void ClickRow(int row, WPARAM keys = 0) const {
    const RECT rect = automation::ListViewRowRect(list_, row);
    automation::ClickAt(list_, POINT{rect.right - 20, (rect.top + rect.bottom) / 2}, keys);
    if (keys == 0) {
      ASSERT_TRUE(automation::WaitUntil([&] { return ListViewSelection(list_) == row; }));
    }
  }

  // The selected entry whole below the list, a line for each label.
  std::string Details() const {
    std::string details;
    for (const automation::ControlInfo& control : automation::ChildrenOf(window_)) {
      if (control.class_name != "STATIC" || control.text == texts::kRemovedEntriesIntro) continue;
      if (!control.text.empty()) details += control.text + "\n";
    }
    return details;
  }

  HWND Button(const char* text) const { return ChildWithText(window_, text).window; }
  bool ButtonsEnabled() const {
    return IsWindowEnabled(Button(texts::kPutBackButton)) &&
           IsWindowEnabled(Button(texts::kForgetButton));
  }

  HWND window_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(RemovedEntriesWindowTest, ListsTheRowsAsGivenWithNothingSelected) {
  OpenWindow({{kUpdater, "PutBack"}, {kShortcut, "PutBack"}, {kTask, "PutBack"}});
  EXPECT_EQ(automation::ListViewHeadings(list_),
            (Lines{texts::kRemovedDateColumn, texts::kRemovedNameColumn, texts::kRemovedTypeColumn,
                   texts::kRemovedLocationColumn, texts::kRemovedCommandColumn}));
  EXPECT_EQ(RowsOnceThere(3), (Rows{kUpdater, kShortcut, kTask}));
  EXPECT_EQ(ListViewRows(list_)[1][1], "Тест工具.lnk");
  EXPECT_EQ(Details(), "");
  EXPECT_EQ(ListViewSelection(list_), -1);
  EXPECT_FALSE(IsWindowEnabled(Button(texts::kPutBackButton)));
  EXPECT_FALSE(IsWindowEnabled(Button(texts::kForgetButton)));

  // Enter clicks Put back, which acts on nothing while nothing is selected.
  automation::PressKey(window_, VK_RETURN);
  automation::Click(Button(texts::kForgetButton));
  Sleep(200);  // time for a question that should not come
  EXPECT_EQ(automation::FindWindowOf(host_->id(), texts::kWarningTitle), nullptr);
  automation::Click(Button(texts::kCloseButton));
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

TEST_F(RemovedEntriesWindowTest, PutBackTakesTheSelectedRowsOutOfTheListAndSaysHowMany) {
  OpenWindow({{kUpdater, "PutBack"}, {kShortcut, "PutBack"}, {kTask, "PutBack"}});
  RowsOnceThere(3);
  ClickRow(1);  // a click anywhere on a row selects it
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(Details(), texts::kRemovedLocationLine + kShortcut[2] + "\n" +
                           texts::kRemovedCommandLine + kShortcut[3] + "\n");
  automation::Click(Button(texts::kPutBackButton));
  EXPECT_EQ(RowsOnceThere(2), (Rows{kUpdater, kTask}));
  EXPECT_EQ(ListViewSelection(list_), -1);
  EXPECT_FALSE(IsWindowEnabled(Button(texts::kPutBackButton)));
  EXPECT_TRUE(automation::WaitUntil(
      [&] { return Details() == texts::kPutBackOneStatus + std::string("\n"); }));
  EXPECT_EQ(automation::FocusIn(window_), list_) << "the keys stay with the list";

  // Ctrl+click selects several rows; one Put back takes them all.
  ClickRow(0);
  ClickRow(1, MK_CONTROL);
  automation::Click(Button(texts::kPutBackButton));
  EXPECT_EQ(RowsOnceThere(0), Rows{});
  EXPECT_TRUE(automation::WaitUntil([&] {
    return Details() ==
           texts::kNothingRemoved + ("\n" + FormatText(texts::kPutBackStatus, "2")) + "\n";
  })) << Details();
  automation::PressKey(window_, VK_ESCAPE);
  EXPECT_EQ(Results(), (Lines{"put back 2", "put back 1", "put back 3", "result=Cancel"}));
}

TEST_F(RemovedEntriesWindowTest, ARefusedPutBackSaysWhyAndKeepsTheRowSelected) {
  const struct {
    const char* outcome;
    const char* warning;
  } cases[] = {{"PlaceTaken", texts::kPlaceTakenWarning},
               {"AccessDenied", texts::kPutBackDeniedWarning},
               {"Failed", texts::kPutBackFailedWarning}};
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.outcome);
    OpenWindow({{kUpdater, "PutBack"}, {kShortcut, refused.outcome}});
    RowsOnceThere(2);
    ClickRow(1);
    automation::Click(Button(texts::kPutBackButton));
    const automation::MessageBoxInfo box = WaitForBox(texts::kWarningTitle);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, refused.warning);
    EXPECT_EQ(box.owner, window_);
    automation::PressOk(box);
    ASSERT_TRUE(automation::WaitUntilHidden(box.window));
    EXPECT_EQ(RowsOnceThere(2), (Rows{kUpdater, kShortcut}));
    EXPECT_TRUE(automation::WaitUntil([&] { return ListViewSelection(list_) == 1; }));
    EXPECT_TRUE(ButtonsEnabled());
    automation::CloseWithCloseButton(window_);
    EXPECT_EQ(Results(), (Lines{"put back 2", "result=None"}));
  }
}

TEST_F(RemovedEntriesWindowTest, ForgetDropsTheBackupOnlyOnYes) {
  OpenWindow({{kUpdater, "PutBack"}, {kShortcut, "PutBack"}});
  RowsOnceThere(2);
  ClickRow(0);
  enum class Answer { kEsc, kNo, kYes };
  for (const Answer answer : {Answer::kEsc, Answer::kNo, Answer::kYes}) {
    SCOPED_TRACE(static_cast<int>(answer));
    automation::Click(Button(texts::kForgetButton));
    const automation::MessageBoxInfo box = WaitForBox(texts::kWarningTitle);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, texts::kForgetQuestion);
    EXPECT_EQ(box.buttons, 2);
    if (answer == Answer::kEsc) automation::PressKey(box.window, VK_ESCAPE);
    if (answer == Answer::kNo) automation::Click(GetDlgItem(box.window, IDNO));
    if (answer == Answer::kYes) automation::Click(GetDlgItem(box.window, IDYES));
    ASSERT_TRUE(automation::WaitUntilHidden(box.window));
  }
  EXPECT_EQ(RowsOnceThere(1), Rows{kShortcut});
  automation::PressKey(window_, VK_ESCAPE);
  EXPECT_EQ(Results(), (Lines{"forget 1", "result=Cancel"}));
}

TEST_F(RemovedEntriesWindowTest, AnEmptyListSaysNothingHasBeenRemoved) {
  OpenWindow({});
  EXPECT_TRUE(automation::WaitUntil(
      [&] { return Details() == texts::kNothingRemoved + std::string("\n"); }));
  EXPECT_TRUE(ListViewRows(list_).empty());
  EXPECT_FALSE(IsWindowEnabled(Button(texts::kPutBackButton)));
  automation::PressKey(window_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

TEST_F(RemovedEntriesWindowTest, BecomingActiveAgainListsRemovalsMadeMeanwhile) {
  OpenWindow({{kTask, "Later"}, {kUpdater, "PutBack"}});
  ASSERT_EQ(RowsOnceThere(1), Rows{kUpdater});
  ClickRow(0);

  // Another window takes the activation, then the user comes back.
  const win32::WindowHandle other(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE,
                                                  0, 0, 50, 50, nullptr, nullptr,
                                                  GetModuleHandleW(nullptr), nullptr));
  SetForegroundWindow(other.get());
  ASSERT_TRUE(automation::WaitUntil([&] { return GetForegroundWindow() == other.get(); }));
  SetForegroundWindow(window_);
  EXPECT_EQ(RowsOnceThere(2), (Rows{kTask, kUpdater}));
  EXPECT_EQ(ListViewSelection(list_), 1) << "the selected entry stays selected";
  automation::PressKey(window_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

}  // namespace
}  // namespace corvane
