// For scripts, which cannot reach the windows of a running Corvane:
//   corvane_poke tick           starts a poll cycle at once, as the timer would
//   corvane_poke command ID     chooses the main window's menu command ID (101
//                               Restore, 103 Edit the blacklist, 106 View Logfile)
//   corvane_poke where main     prints where the main window is on the screen,
//   corvane_poke where alert    or the alert, as WIDTHxHEIGHT+LEFT+TOP, and
//                               moves the pointer out of the way
// Each waits up to ten seconds for its window; the exit code is 1 without it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/wide.h"
#include "texts.h"

namespace {

const std::string kMainCaption =
    std::string(corvane::texts::kMainCaptionPrefix) + corvane::texts::kProgramVersion;

// The main window is hidden while the program watches; the alert is looked
// for only once it shows.
HWND WaitForWindow(const std::string& caption, bool visible) {
  for (int tries = 0; tries < 200; ++tries) {
    const HWND window = FindWindowW(nullptr, corvane::win32::Wide(caption).c_str());
    if (window != nullptr && (!visible || IsWindowVisible(window))) return window;
    Sleep(50);
  }
  return nullptr;
}

int PrintPlace(HWND window) {
  RECT rect{};
  if (window == nullptr || !GetWindowRect(window, &rect)) return 1;
  // Off the window, so that no control under the pointer is drawn hot.
  SetCursorPos(0, 0);
  std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
              rect.top);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const std::string which = argc > 2 ? argv[2] : "";
  if (argc == 2 && command == "tick") {
    const HWND main = WaitForWindow(kMainCaption, false);
    return main != nullptr && PostMessageW(main, WM_TIMER, 1, 0) ? 0 : 1;
  }
  if (argc == 3 && command == "command") {
    const HWND main = WaitForWindow(kMainCaption, false);
    const WPARAM id = static_cast<WPARAM>(std::strtoul(which.c_str(), nullptr, 10));
    return main != nullptr && id != 0 && PostMessageW(main, WM_COMMAND, id, 0) ? 0 : 1;
  }
  if (argc == 3 && command == "where" && which == "main") {
    return PrintPlace(WaitForWindow(kMainCaption, true));
  }
  if (argc == 3 && command == "where" && which == "alert") {
    return PrintPlace(WaitForWindow(corvane::texts::kAlertCaption, true));
  }
  std::fprintf(stderr, "usage: corvane_poke tick | command ID | where main|alert\n");
  return 2;
}
