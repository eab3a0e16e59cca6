// The tray component on a toolkit form, as the main window uses it.
#include <gtest/gtest.h>

#include "platform/win32/framework/application.h"
#include "platform/win32/framework/form.h"
#include "tray/form_tray_owner.h"
#include "tray/tray_test_support.h"
#include "tray/traycomp.h"

namespace corvane {
namespace {

TEST(FormTrayOwnerTest, TheFormStartsHiddenComesUpAndRunsTheMenuCommand) {
  win32::Application application(GetModuleHandleW(nullptr), "Corvane");
  win32::Form form(application, win32::Window("Main", 248, 324).MinimizeAndMaximize(), nullptr, 0);
  FormTrayOwner owner(application, form);
  tray_test::RecordingTraySystem shell;
  TTrayComp tray(owner, shell);
  int restored = 0;
  form.OnCommand(7, [&] { ++restored; });
  const win32::MenuHandle menu = tray_test::TrayMenu({{"Restore", 7}});
  tray.SetPopupMenu(menu.get());
  ShowWindow(application.handle(), SW_SHOWNA);  // as if it had a taskbar button
  tray.SetShowForm(false);
  tray.Loaded();
  EXPECT_FALSE(IsWindowVisible(application.handle()));
  EXPECT_FALSE(owner.ShowMainForm());

  tray.SetShowForm(true);
  EXPECT_TRUE(IsWindowVisible(form.handle()));
  SendMessageW(form.handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(form.handle()));
  SendMessageW(form.handle(), 1083, 0, WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(form.handle()));

  tray_test::MenuUser user({VK_DOWN, VK_RETURN});
  SendMessageW(form.handle(), 1083, 0, WM_RBUTTONUP);
  ASSERT_TRUE(user.Finish());
  tray_test::Pump();
  EXPECT_EQ(restored, 1);
}

}  // namespace
}  // namespace corvane
