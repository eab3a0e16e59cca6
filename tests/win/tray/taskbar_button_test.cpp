// The taskbar button belongs to the application window, which the component
// hides by its handle: another window of the program that bears the same
// title, such as an error box captioned with it, stays where it is.
#include <gtest/gtest.h>

#include "tray/tray_test_support.h"
#include "tray/traycomp.h"

namespace corvane {
namespace {

TEST(TaskbarButtonTest, OnlyTheApplicationWindowIsHiddenWhateverOtherWindowsAreCalled) {
  tray_test::RecordingTraySystem shell;
  tray_test::TestOwner owner;
  TTrayComp tray(owner, shell);
  const HWND application = tray_test::MakeTitledWindow("Corvane");
  const HWND box = tray_test::MakeTitledWindow("Corvane");
  owner.application_window = application;
  ShowWindow(application, SW_SHOWNA);
  ShowWindow(box, SW_SHOWNA);
  // The box above the application window, as an error box of the program is.
  SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  tray.SetShowInTaskBar(false);
  EXPECT_FALSE(IsWindowVisible(application));
  EXPECT_TRUE(IsWindowVisible(box));
  tray.SetShowForm(true);
  EXPECT_TRUE(IsWindowVisible(box));
  DestroyWindow(box);
  DestroyWindow(application);
}

}  // namespace
}  // namespace corvane
