// The commands of the tray icon and its menu, and the watch that they pause
// and resume, on a program that has been set up before (the window hidden).
#include <initializer_list>
#include <string>

#include "automation/input.h"
#include "automation/message_box.h"
#include "automation/popup_menu.h"
#include "program/program_fixture.h"
#include "texts.h"
#include "tray/traycomp.h"

namespace corvane::program_test {
namespace {

using automation::FindWindowOf;
using automation::WaitUntil;
using automation::WaitUntilHidden;

class ProgramCommandsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
  }
};

// Wine keeps a menu inside its process, so its items are known here only by
// what choosing them does: Restore, Startup entries, Removed entries, then
// Exit, and nothing else; S, E and X choose the last three by their access keys.
TEST_F(ProgramCommandsTest, TheTrayMenuOffersRestoreBothListsThenExit) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_FALSE(Shown());
  // Opens the menu with a right click on the icon and types the keys into it.
  const auto choose = [this](std::initializer_list<WORD> keys) {
    OpenTrayMenu();
    const HWND menu = automation::WaitForPopupMenu(ProcessId());
    if (menu == nullptr) return false;
    for (const WORD key : keys) automation::PressMenuKey(menu, key);
    return WaitUntil([&] { return automation::FindPopupMenuOf(ProcessId()) == nullptr; });
  };

  ASSERT_TRUE(choose({VK_ESCAPE}));
  EXPECT_FALSE(Shown());
  EXPECT_EQ(FindWindowOf(ProcessId(), texts::kWarningTitle), nullptr);

  ASSERT_TRUE(choose({'E'}));
  const HWND removed = automation::WaitForWindow(ProcessId(), texts::kRemovedEntriesCaption);
  ASSERT_NE(removed, nullptr);
  automation::PressKey(removed, VK_ESCAPE);
  ASSERT_TRUE(WaitUntilHidden(removed));
  EXPECT_FALSE(Shown());

  ASSERT_TRUE(choose({'S'}));
  const HWND startup = automation::WaitForWindow(ProcessId(), texts::kStartupEntriesCaption);
  ASSERT_NE(startup, nullptr);
  automation::PressKey(startup, VK_ESCAPE);
  ASSERT_TRUE(WaitUntilHidden(startup));

  ASSERT_TRUE(choose({'X'}));
  const HWND question = automation::WaitForWindow(ProcessId(), texts::kWarningTitle);
  ASSERT_NE(question, nullptr);
  automation::Click(GetDlgItem(question, IDNO));
  ASSERT_TRUE(WaitUntilHidden(question));

  // A fifth Down comes round to the first item again.
  ASSERT_TRUE(choose({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
  ASSERT_TRUE(WaitUntilShown());
  EXPECT_TRUE(IsWindowEnabled(ControlWithText(texts::kCancelButton)));
}

TEST_F(ProgramCommandsTest, MinimizeHidesAndALeftClickBringsTheWindowBackOnlyWhileItIsShown) {
  ASSERT_NE(Start(), nullptr);
  SendTrayClick();
  EXPECT_FALSE(Shown());

  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  EXPECT_EQ(GetWindowLongPtrW(main_, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_MINIMIZEBOX);
  Post(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntilHidden(main_));
  EXPECT_FALSE(IsIconic(main_));
  SendTrayClick();
  EXPECT_TRUE(Shown());

  automation::Click(ControlWithText(texts::kSaveButton));
  ASSERT_TRUE(WaitUntilHidden(main_));
  SendTrayClick();
  EXPECT_FALSE(Shown());
}

TEST_F(ProgramCommandsTest, RestorePausesTheWatchUntilCancel) {
  ASSERT_NE(Start(), nullptr);
  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kTestValue, "C:\\tools\\tool.exe"));

  // The tick is handled before the click, both being posted: while the
  // window is restored it is dropped.
  Tick();
  automation::Click(ControlWithText(texts::kCancelButton));
  ASSERT_TRUE(WaitUntilHidden(main_));
  EXPECT_EQ(FindWindowOf(ProcessId(), texts::kAlertCaption), nullptr);
  ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, kRunKey, kTestValue));

  // Cancel took no new baseline, so the next cycle reports the value.
  Tick();
  const HWND alert = automation::WaitForWindow(ProcessId(), texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  const std::string location =
      texts::kCurrentUserRootName + (std::string("\\") + kRunKey + "\\" + kTestValue);
  EXPECT_NE(automation::ChildWithText(alert, texts::kRegistryStartupType).window, nullptr);
  EXPECT_NE(automation::ChildWithText(alert, location).window, nullptr);
  automation::PressKey(alert, VK_ESCAPE);  // No: remove it

  const automation::MessageBoxInfo restored =
      automation::WaitForMessageBox(ProcessId(), texts::kInformationTitle);
  ASSERT_NE(restored.window, nullptr);
  EXPECT_EQ(restored.text, texts::kRestoredMessage);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, kTestValue), std::nullopt);
  automation::PressOk(restored);
  EXPECT_TRUE(WaitUntilHidden(restored.window));
}

TEST_F(ProgramCommandsTest, ExitAsksFirstAndEndsOnlyOnYes) {
  ASSERT_NE(Start(), nullptr);
  // Esc and the No button answer No: the program goes on and can be asked again.
  for (const bool escape : {true, false}) {
    Choose(kExitCommand);
    const automation::MessageBoxInfo box =
        automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
    ASSERT_NE(box.window, nullptr) << (WaitForExit(0) ? "the program ended on No" : "");
    EXPECT_EQ(box.text, texts::kExitQuestion);
    EXPECT_EQ(box.buttons, 2);
    if (escape) {
      automation::PressKey(box.window, VK_ESCAPE);
    } else {
      automation::Click(GetDlgItem(box.window, IDNO));
    }
    ASSERT_TRUE(WaitUntilHidden(box.window));
  }
  Choose(kExitCommand);
  const automation::MessageBoxInfo box =
      automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
  ASSERT_NE(box.window, nullptr) << "the program did not go on after No";
  automation::Click(GetDlgItem(box.window, IDYES));
  EXPECT_TRUE(WaitForExit());
}

}  // namespace
}  // namespace corvane::program_test
