// What a user meets beyond the options themselves: one Corvane per session,
// and an error box that stays until the user dismisses it.
#include <initializer_list>
#include <string>

#include "automation/input.h"
#include "automation/message_box.h"
#include "automation/popup_menu.h"
#include "platform/win32/framework/gui_handles.h"
#include "program/program_fixture.h"
#include "texts.h"
#include "tray/traycomp.h"

namespace corvane::program_test {
namespace {

using automation::WaitUntil;
using automation::WaitUntilHidden;

class ProgramSessionTest : public ProgramTest {
 protected:
  // Starts another copy of the program and waits for it to end by itself.
  bool SecondStartEnds() {
    automation::Process second(ProgramPath(), {});
    return second.started() && second.WaitForExit(automation::kPatience) &&
           second.ExitCode() == 0;
  }
};

TEST_F(ProgramSessionTest, ASecondStartEndsAtOnceAndBringsOnlyAShownOptionsWindowForward) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_TRUE(Shown());  // a first run
  const win32::WindowHandle other(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE,
                                                  0, 0, 50, 50, nullptr, nullptr,
                                                  GetModuleHandleW(nullptr), nullptr));
  SetForegroundWindow(other.get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.get(); }));

  ASSERT_TRUE(SecondStartEnds());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }));
  EXPECT_FALSE(WaitForExit(0)) << "the first copy ended";
  EXPECT_EQ(MainWindowCount(), 1);

  // Watching hidden, the first copy stays hidden.
  automation::Click(ControlWithText(texts::kSaveButton));
  ASSERT_TRUE(WaitUntilHidden(main_));
  ASSERT_TRUE(SecondStartEnds());
  EXPECT_FALSE(WaitUntil([&] { return Shown(); }, 1000));
  EXPECT_FALSE(WaitForExit(0));
  EXPECT_EQ(MainWindowCount(), 1);
}

TEST_F(ProgramSessionTest, TheTrayIconNeverHidesAnErrorBox) {
  ASSERT_TRUE(BlockOptionsFile());
  ASSERT_NE(Start(), nullptr);
  ASSERT_TRUE(Shown());
  automation::Click(ControlWithText(texts::kSaveButton));
  const automation::MessageBoxInfo box =
      automation::WaitForMessageBox(ProcessId(), texts::kApplicationTitle);
  ASSERT_NE(box.window, nullptr) << "Save did not fail";
  EXPECT_EQ(box.owner, main_);

  // Restore from the tray menu, then a left click on the icon.
  OpenTrayMenu();
  const HWND menu = automation::WaitForPopupMenu(ProcessId());
  ASSERT_NE(menu, nullptr);
  for (const WORD key : {VK_DOWN, VK_RETURN}) automation::PressMenuKey(menu, key);
  ASSERT_TRUE(WaitUntil([&] { return automation::FindPopupMenuOf(ProcessId()) == nullptr; }));
  EXPECT_FALSE(WaitUntilHidden(box.window, 1000)) << "Restore hid the box";
  SendTrayClick();
  EXPECT_TRUE(IsWindowVisible(box.window)) << "the click hid the box";

  automation::PressOk(box);
  ASSERT_TRUE(WaitUntilHidden(box.window));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
  EXPECT_TRUE(Shown());
  automation::Click(ControlWithText(texts::kMonitorServices));
  EXPECT_TRUE(WaitUntil([&] { return !Checked(texts::kMonitorServices); }));
}

}  // namespace
}  // namespace corvane::program_test
