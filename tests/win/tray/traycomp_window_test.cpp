// The owner window's messages once the tray component has taken them over,
// and the icon's clicks.
#include <gtest/gtest.h>

#include <optional>

#include "tray/tray_test_support.h"
#include "tray/traycomp.h"

namespace corvane {
namespace {

constexpr UINT kTrayCallback = 1083;
constexpr int kRestore = 101;

class TrayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tray_.emplace(owner_, shell_);
    tray_->Loaded();
    owner_.received.clear();
  }
  LRESULT Send(UINT msg, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(owner_.Handle(), msg, wparam, lparam);
  }
  bool OwnerVisible() { return IsWindowVisible(owner_.Handle()) != FALSE; }
  bool Hooked() {
    return GetWindowLongPtrW(owner_.Handle(), GWLP_WNDPROC) !=
           reinterpret_cast<LONG_PTR>(&tray_test::TestOwner::Procedure);
  }

  tray_test::RecordingTraySystem shell_;
  tray_test::TestOwner owner_;
  std::optional<TTrayComp> tray_;
};

TEST_F(TrayWindowTest, OtherMessagesPassOnUntilDestructionGivesTheWindowBack) {
  EXPECT_TRUE(Hooked());
  EXPECT_EQ(Send(WM_GETTEXTLENGTH, 0, 0), 10);  // "Tray owner", answered by the window
  tray_.reset();
  EXPECT_FALSE(Hooked());
  EXPECT_EQ(shell_.calls.back().message, 2u);  // NIM_DELETE
  Send(kTrayCallback, 0, WM_LBUTTONUP);
  EXPECT_TRUE(owner_.Got(kTrayCallback));
}

TEST_F(TrayWindowTest, ActivationHidesTheTaskbarButtonUnlessItIsWanted) {
  const HWND button = tray_test::MakeTitledWindow("Corvane");
  owner_.application_window = button;
  ShowWindow(button, SW_SHOWNA);
  Send(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(IsWindowVisible(button));
  Send(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(IsWindowVisible(button));
  EXPECT_TRUE(owner_.Got(WM_ACTIVATE, WA_INACTIVE));
  EXPECT_TRUE(owner_.Got(WM_ACTIVATE, WA_ACTIVE));

  tray_->SetShowInTaskBar(true);
  ShowWindow(button, SW_SHOWNA);
  Send(WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_TRUE(IsWindowVisible(button));
  DestroyWindow(button);
}

TEST_F(TrayWindowTest, TheMinimizeButtonHidesTheWindowAndKeepsShowForm) {
  ShowWindow(owner_.Handle(), SW_SHOW);
  owner_.received.clear();
  Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(OwnerVisible());
  EXPECT_FALSE(IsIconic(owner_.Handle()));
  EXPECT_TRUE(tray_->ShowForm());
  EXPECT_FALSE(owner_.Got(WM_SYSCOMMAND));
  EXPECT_TRUE(owner_.Got(WM_SHOWWINDOW, FALSE));
}

TEST_F(TrayWindowTest, OtherSystemCommandsAndAWantedTaskbarButtonPassTheMinimizeOn) {
  Send(WM_SYSCOMMAND, SC_MINIMIZE | 1, 0);
  EXPECT_TRUE(owner_.Got(WM_SYSCOMMAND, 0xF021));
  tray_->SetShowInTaskBar(true);
  Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(owner_.Got(WM_SYSCOMMAND, 0xF020));
}

TEST_F(TrayWindowTest, OnlyMoveAndButtonUpReachTheHandlersAndNoIconMessagePassesOn) {
  int moves = 0, clicks = 0;
  tray_->SetOnMouseMove([&](TTrayComp& sender) { moves += &sender == &*tray_; });
  tray_->SetOnLeftClick([&](TTrayComp&) { ++clicks; });
  tray_->SetOnRightClick([&](TTrayComp&, int, int) { ++clicks; });
  for (const LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                             WM_RBUTTONDBLCLK, WM_MBUTTONUP}) {
    Send(kTrayCallback, 0, mouse);
  }
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(clicks, 0);
  Send(kTrayCallback, 0, WM_LBUTTONUP);
  Send(kTrayCallback, 0, WM_RBUTTONUP);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(owner_.Got(kTrayCallback));
  EXPECT_FALSE(OwnerVisible());  // a handler replaces the default action
}

TEST_F(TrayWindowTest, ALeftClickBringsTheWindowUpOnlyWhileShowFormIsTrue) {
  tray_->SetShowForm(false);
  Send(kTrayCallback, 0, WM_LBUTTONUP);
  EXPECT_FALSE(OwnerVisible());
  tray_->SetShowForm(true);
  Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Send(kTrayCallback, 0, WM_LBUTTONUP);
  EXPECT_TRUE(OwnerVisible());
  EXPECT_EQ(GetForegroundWindow(), owner_.Handle());
  // Hiding keeps the form's visible flag; only the first showing set it.
  EXPECT_EQ(owner_.visible_requests, std::vector<bool>{true});
}

TEST_F(TrayWindowTest, ARightClickWithoutAMenuShowsTheWindowOnlyWithDefRClick) {
  Send(kTrayCallback, 0, WM_RBUTTONUP);
  EXPECT_FALSE(OwnerVisible());
  tray_->SetDefRClick(true);
  Send(kTrayCallback, 0, WM_RBUTTONUP);
  EXPECT_TRUE(OwnerVisible());
}

TEST_F(TrayWindowTest, ARightClickShowsTheMenuAtThePointerAndPostsTheChosenCommand) {
  const win32::MenuHandle menu =
      tray_test::TrayMenu({{"Restore", kRestore}, {nullptr, 0}, {"Exit", kRestore + 1}});
  tray_->SetPopupMenu(menu.get());
  SetCursorPos(200, 300);
  tray_test::MenuUser user({VK_DOWN, VK_RETURN});
  Send(kTrayCallback, 0, WM_RBUTTONUP);
  ASSERT_TRUE(user.Finish());
  EXPECT_EQ(user.menu_rect.left, 200);
  EXPECT_EQ(user.menu_rect.top, 300);
  EXPECT_EQ(user.foreground, owner_.Handle());
  // Posted: it arrives once the click has been answered.
  EXPECT_FALSE(owner_.Got(WM_COMMAND));
  tray_test::Pump();
  EXPECT_TRUE(owner_.Got(WM_COMMAND, kRestore));
}

TEST_F(TrayWindowTest, TheMenuFollowsARightClickHandlerAndEscapeChoosesNothing) {
  const win32::MenuHandle menu = tray_test::TrayMenu({{"Restore", kRestore}});
  tray_->SetPopupMenu(menu.get());
  POINT handed{};
  tray_->SetOnRightClick([&](TTrayComp&, int x, int y) { handed = POINT{x, y}; });
  SetCursorPos(150, 250);
  tray_test::MenuUser user({VK_ESCAPE});
  Send(kTrayCallback, 0, WM_RBUTTONUP);
  ASSERT_TRUE(user.Finish());
  EXPECT_EQ(handed.x, 150);
  EXPECT_EQ(handed.y, 250);
  tray_test::Pump();
  EXPECT_FALSE(owner_.Got(WM_COMMAND));
}

TEST_F(TrayWindowTest, TheTipRefreshSendsTheTipAgain) {
  tray_->SetToolTip("Corvane");
  Send(1085, 0, 0);
  ASSERT_EQ(shell_.calls.size(), 2u);
  EXPECT_EQ(shell_.calls[1].message, 1u);  // NIM_MODIFY
  EXPECT_STREQ(shell_.calls[1].data.szTip, L"Corvane");
  EXPECT_FALSE(owner_.Got(1085));
}

// Explorer broadcasts TaskbarCreated when it starts again; the shell of
// version 4 then sends selections and the context menu with its anchor.
TEST_F(TrayWindowTest, ExplorerStartingAgainGetsTheIconBackAndTheKeyboardReachesIt) {
  tray_->SetShowIcon(true);
  shell_.calls.clear();
  Send(RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_EQ(shell_.calls.size(), 2u);
  EXPECT_EQ(shell_.calls[0].message, 0u);  // NIM_ADD
  EXPECT_EQ(shell_.calls[1].message, 4u);  // NIM_SETVERSION
  int selections = 0;
  POINT anchor{};
  tray_->SetOnLeftClick([&](TTrayComp&) { ++selections; });
  tray_->SetOnRightClick([&](TTrayComp&, int x, int y) { anchor = POINT{x, y}; });
  // The button ups come as well, and must not act a second time.
  for (const WORD event : {WM_LBUTTONUP, WM_RBUTTONUP, NIN_SELECT, NIN_KEYSELECT}) {
    Send(kTrayCallback, 0, MAKELPARAM(event, 0));
  }
  EXPECT_EQ(selections, 2);
  Send(kTrayCallback, MAKEWPARAM(120, 340), MAKELPARAM(WM_CONTEXTMENU, 0));
  EXPECT_EQ(std::make_pair(anchor.x, anchor.y), std::make_pair(LONG(120), LONG(340)));
}

TEST(TrayLoadTest, AWindowMinimizedAtLoadEndsTheProgramUnlessRunMinimized) {
  tray_test::RecordingTraySystem shell;
  for (const bool run_minimized : {false, true}) {
    tray_test::TestOwner owner;
    ShowWindow(owner.Handle(), SW_SHOWMINNOACTIVE);
    TTrayComp tray(owner, shell);
    tray.SetRunMinimized(run_minimized);
    tray.Loaded();
    EXPECT_EQ(owner.terminate_requests, run_minimized ? 0 : 1);
    // A form that is to be shown is left as it is.
    EXPECT_TRUE(owner.visible_requests.empty());
    EXPECT_TRUE(owner.show_main_form);
  }
}

}  // namespace
}  // namespace corvane
