// What the tray component asks of the notification area and the kernel.
// The numbers are written out: they are what the shell expects, whatever
// the constants in the code say.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/win32/wide.h"
#include "tray/tray_test_support.h"
#include "tray/traycomp.h"

namespace corvane {
namespace {

constexpr DWORD kAdd = 0, kModify = 1, kDelete = 2, kSetVersion = 4;

class TrayShellTest : public ::testing::Test {
 protected:
  bool TipRefreshQueued() {
    MSG message;
    return PeekMessageW(&message, owner_.Handle(), 1085, 1085, PM_NOREMOVE) != FALSE;
  }
  const tray_test::ShellCall& Call(std::size_t index) { return shell_.calls.at(index); }

  win32::IconHandle icon_{CopyIcon(LoadIconW(nullptr, win32::SystemResource(IDI_APPLICATION)))};
  tray_test::RecordingTraySystem shell_;
  tray_test::TestOwner owner_;
  TTrayComp tray_{owner_, shell_};
};

TEST_F(TrayShellTest, TheRecordHasTheXpLayoutVersion4AndATipOfAtMost62Characters) {
  tray_.SetShowIcon(true);
  const NOTIFYICONDATAW& data = Call(0).data;
  EXPECT_EQ(Call(0).message, kAdd);
  EXPECT_EQ(data.cbSize, sizeof(void*) == 4 ? 952u : 968u);
  EXPECT_EQ(data.hWnd, owner_.Handle());
  EXPECT_EQ(data.uID, 0u);
  EXPECT_EQ(data.uFlags, 0x87u);  // the tip shown with version 4 too
  EXPECT_EQ(Call(1).message, kSetVersion);
  EXPECT_EQ(Call(1).data.uVersion, 4u);
  EXPECT_EQ(data.uCallbackMessage, 1083u);
  EXPECT_EQ(data.hIcon, nullptr);

  const std::string ascii = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!?";
  std::string cyrillic, smileys;  // 2 bytes and 1 unit; 4 bytes and 2 units per character
  for (int count = 0; count < 70; ++count) cyrillic += "Ж";
  for (int count = 0; count < 40; ++count) smileys += "\xF0\x9F\x98\x80";
  const struct {
    std::string tip, kept, sent;
  } cases[] = {
      {ascii, ascii.substr(0, 62), ascii.substr(0, 62)},
      {cyrillic, cyrillic.substr(0, 124), cyrillic.substr(0, 124)},
      {"Тест工具", "Тест工具", "Тест工具"},
      // 40 characters are kept, but the record holds 63 units: 31 whole ones go.
      {smileys, smileys, smileys.substr(0, 31 * 4)},
  };
  for (const auto& tip : cases) {
    SCOPED_TRACE(tip.kept);
    tray_.SetToolTip(tip.tip);
    EXPECT_EQ(tray_.ToolTip(), tip.kept);
    EXPECT_EQ(shell_.calls.back().message, kModify);
    const wchar_t* const sent = shell_.calls.back().data.szTip;
    EXPECT_EQ(win32::Utf8(sent, std::wcslen(sent)), tip.sent);
  }
}

// The main window's layout sets HideApp, ShowForm, ShowIcon, Icon and
// ToolTip in this order, then completes the load.
TEST_F(TrayShellTest, LoadingTheMainWindowSendsImageAndTipAgainOnceTheLoopRuns) {
  tray_.SetHideApp(true);
  tray_.SetShowForm(false);
  tray_.SetShowIcon(true);
  EXPECT_STREQ(Call(0).data.szTip, L"");
  EXPECT_TRUE(TipRefreshQueued());
  tray_.LoadIconImage(std::move(icon_));
  tray_.SetToolTip("Corvane");
  tray_.Loaded();
  ASSERT_EQ(shell_.calls.size(), 3u);
  EXPECT_EQ(Call(2).message, kModify);
  EXPECT_EQ(Call(2).data.hIcon, tray_.Icon());
  EXPECT_STREQ(Call(2).data.szTip, L"Corvane");
  EXPECT_EQ(owner_.visible_requests, std::vector<bool>{false});
  EXPECT_FALSE(owner_.show_main_form);

  tray_test::Pump();
  ASSERT_EQ(shell_.calls.size(), 4u);
  EXPECT_EQ(Call(3).message, kModify);
  EXPECT_EQ(Call(3).data.hIcon, tray_.Icon());
  EXPECT_STREQ(Call(3).data.szTip, L"Corvane");
  EXPECT_FALSE(owner_.Got(1085));
}

TEST_F(TrayShellTest, EveryShowIconWriteAsksTheShellAgain) {
  tray_.SetToolTip("Corvane");
  EXPECT_FALSE(TipRefreshQueued());
  for (const bool show : {true, true, false, false}) tray_.SetShowIcon(show);
  ASSERT_EQ(shell_.calls.size(), 7u);
  EXPECT_EQ(Call(1).message, kAdd);
  EXPECT_EQ(Call(3).message, kAdd);
  EXPECT_EQ(Call(5).message, kDelete);
  EXPECT_EQ(Call(6).message, kDelete);
  // The delete sends the record of the last add: the shell finds the icon by it.
  EXPECT_EQ(Call(5).data.hWnd, owner_.Handle());
  EXPECT_EQ(Call(5).data.cbSize, Call(1).data.cbSize);
  // No refresh either: the adds came with a tip.
  EXPECT_FALSE(TipRefreshQueued());
}

TEST_F(TrayShellTest, WithoutTheIconChangesWaitForTheNextAdd) {
  tray_.SetShowIcon(false);
  tray_.SetIcon(icon_.get());
  tray_.SetToolTip("Corvane");
  tray_.SetIcon(tray_.Icon());
  ASSERT_EQ(shell_.calls.size(), 1u);
  tray_.SetShowIcon(true);
  EXPECT_EQ(Call(1).message, kAdd);
  // The component shows a copy of its own.
  EXPECT_NE(tray_.Icon(), icon_.get());
  EXPECT_EQ(Call(1).data.hIcon, tray_.Icon());
  EXPECT_STREQ(Call(1).data.szTip, L"Corvane");
}

// A notice changes nothing of the icon, whose own record (which its delete
// sends) keeps its own layout.
TEST_F(TrayShellTest, ABalloonGoesInARecordOfTheSecondLayout) {
  tray_.SetShowIcon(true);
  EXPECT_TRUE(tray_.ShowBalloon("Corvane", "Corvane removed Тест工具 (blacklisted)"));
  const NOTIFYICONDATAW& data = Call(2).data;
  EXPECT_EQ(Call(2).message, kModify);
  EXPECT_EQ(data.cbSize, sizeof(void*) == 4 ? 936u : 952u);
  EXPECT_EQ(data.hWnd, owner_.Handle());
  EXPECT_EQ(data.uID, 0u);
  EXPECT_EQ(data.uFlags, 0x10u);    // the text alone
  EXPECT_EQ(data.dwInfoFlags, 1u);  // the information icon
  EXPECT_STREQ(data.szInfoTitle, L"Corvane");
  EXPECT_EQ(win32::Utf8(data.szInfo, std::wcslen(data.szInfo)),
            "Corvane removed Тест工具 (blacklisted)");

  tray_.SetShowIcon(false);
  EXPECT_EQ(Call(3).data.cbSize, Call(0).data.cbSize);
  EXPECT_FALSE(tray_.ShowBalloon("Corvane", "hidden"));
  EXPECT_EQ(shell_.calls.size(), 4u);
}

TEST_F(TrayShellTest, HideAppReadsFalseOnTheNtFamily) {
  tray_.SetHideApp(true);
  EXPECT_FALSE(tray_.HideApp());
  EXPECT_EQ(shell_.lookups, (std::vector<std::string>{"kernel32.dll", "RegisterServiceProcess"}));
  shell_.lookups.clear();
  shell_.kernel = nullptr;  // the module was kept
  tray_.SetHideApp(true);
  EXPECT_EQ(shell_.lookups, std::vector<std::string>{"RegisterServiceProcess"});
}

TEST_F(TrayShellTest, HideAppRegistersAndUnregistersOnWindows9x) {
  shell_.windows_9x = true;
  tray_.SetHideApp(true);
  EXPECT_TRUE(tray_.HideApp());
  tray_.SetHideApp(false);
  const DWORD us = GetCurrentProcessId();
  EXPECT_EQ(tray_test::registrations, (std::vector<std::pair<DWORD, DWORD>>{{us, 1}, {us, 0}}));
}

TEST_F(TrayShellTest, HideAppKeepsItsValueWithoutAKernelModule) {
  shell_.kernel = nullptr;
  tray_.SetHideApp(true);
  EXPECT_TRUE(tray_.HideApp());
}

}  // namespace
}  // namespace corvane
