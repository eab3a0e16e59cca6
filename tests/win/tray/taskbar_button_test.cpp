// The window that carries the taskbar button is found by the application
// title, and only among this program's own windows.
#include <gtest/gtest.h>

#include <string>

#include "automation/process.h"
#include "automation/windows.h"
#include "tray/tray_test_support.h"
#include "tray/traycomp.h"

namespace corvane {
namespace {

std::string BesideUs(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

TEST(TaskbarButtonTest, OnlyOurOwnWindowWithTheTitleIsHidden) {
  const std::string title = "Corvane taskbar " + std::to_string(GetCurrentProcessId());
  tray_test::RecordingTraySystem shell;
  tray_test::TestOwner owner(title);
  TTrayComp tray(owner, shell);
  const HWND ours = tray_test::MakeTitledWindow(title);
  ShowWindow(ours, SW_SHOWNA);

  automation::Process other(BesideUs("corvane_tray_title_window.exe"), {title});
  ASSERT_TRUE(other.started());
  const HWND theirs = automation::WaitForWindow(other.id(), title);
  ASSERT_NE(theirs, nullptr);
  // The newer window comes first: a lookup by title alone would hit theirs.
  ASSERT_EQ(FindWindowA(nullptr, title.c_str()), theirs);

  tray.SetShowInTaskBar(false);
  EXPECT_FALSE(IsWindowVisible(ours));
  EXPECT_TRUE(IsWindowVisible(theirs));
  DestroyWindow(ours);
}

}  // namespace
}  // namespace corvane
