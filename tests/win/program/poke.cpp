// For scripts, which cannot reach the windows of a running Corvane:
//   corvane_poke tick           starts a poll cycle at once, as the timer would
//   corvane_poke command ID     chooses the main window's menu command ID (101
//                               Restore, 103 Edit the blacklist, 106 View
//                               Logfile, 107 Removed entries)
//   corvane_poke answer yes|no  clicks Yes or No on the alert and waits until
//                               it has gone
//   corvane_poke dismiss        clicks OK on the information box that follows
//                               a cycle that removed something
//   corvane_poke select removed selects the first row of the removed entries
//   corvane_poke where main     prints where the main window is on the screen,
//   corvane_poke where alert    the alert or the window of removed entries, as
//   corvane_poke where removed  WIDTHxHEIGHT+LEFT+TOP, and moves the pointer
//   corvane_poke where startup  out of the way (startup: the Startup entries)
//   corvane_poke close removed  closes the window of removed entries
//                               (109 opens the Startup entries)
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

constexpr int kTries = 200;
constexpr DWORD kTryPause = 50;  // ms

// The main window is hidden while the program watches; the other windows
// are looked for only once they show.
HWND WaitForWindow(const wchar_t* window_class, const std::string& caption, bool visible) {
  for (int tries = 0; tries < kTries; ++tries) {
    const HWND window = FindWindowW(window_class, corvane::win32::Wide(caption).c_str());
    if (window != nullptr && (!visible || IsWindowVisible(window))) return window;
    Sleep(kTryPause);
  }
  return nullptr;
}

HWND WaitForWindow(const std::string& caption, bool visible) {
  return WaitForWindow(nullptr, caption, visible);
}

bool WaitUntilHidden(HWND window) {
  for (int tries = 0; tries < kTries; ++tries) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(kTryPause);
  }
  return false;
}

struct ChildSearch {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM search_pointer) {
  auto& search = *reinterpret_cast<ChildSearch*>(search_pointer);
  wchar_t text[256] = {};
  GetWindowTextW(child, text, 256);
  if (search.text != text || !IsWindowVisible(child)) return TRUE;
  search.found = child;
  return FALSE;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  ChildSearch search{corvane::win32::Wide(text)};
  EnumChildWindows(parent, &MatchChildText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int AnswerAlert(bool yes) {
  const HWND alert = WaitForWindow(corvane::texts::kAlertCaption, true);
  if (alert == nullptr) return 1;
  const HWND button =
      ChildWithText(alert, yes ? corvane::texts::kYesButton : corvane::texts::kNoButton);
  if (button == nullptr || !PostMessageW(button, BM_CLICK, 0, 0)) return 1;
  return WaitUntilHidden(alert) ? 0 : 1;
}

int DismissInformation() {
  // The system's message box class.
  const HWND box = WaitForWindow(L"#32770", corvane::texts::kInformationTitle, true);
  if (box == nullptr || !PostMessageW(box, WM_COMMAND, IDOK, 0)) return 1;
  return WaitUntilHidden(box) ? 0 : 1;
}

// Home in a list view selects its first row, as a user's key would.
int SelectFirstRemoved() {
  const HWND window = WaitForWindow(corvane::texts::kRemovedEntriesCaption, true);
  const HWND list = window != nullptr ? FindWindowExW(window, nullptr, L"SysListView32", nullptr)
                                      : nullptr;
  if (list == nullptr) return 1;
  SetForegroundWindow(window);
  const LPARAM scan = LPARAM(MapVirtualKeyW(VK_HOME, 0)) << 16;
  PostMessageW(list, WM_KEYDOWN, VK_HOME, 1 | scan);
  PostMessageW(list, WM_KEYUP, VK_HOME, 1 | scan | (LPARAM(3) << 30));
  return 0;
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
  if (argc == 3 && command == "answer" && (which == "yes" || which == "no")) {
    return AnswerAlert(which == "yes");
  }
  if (argc == 2 && command == "dismiss") return DismissInformation();
  if (argc == 3 && command == "select" && which == "removed") return SelectFirstRemoved();
  if (argc == 3 && command == "where" && which == "main") {
    return PrintPlace(WaitForWindow(kMainCaption, true));
  }
  if (argc == 3 && command == "where" && which == "alert") {
    return PrintPlace(WaitForWindow(corvane::texts::kAlertCaption, true));
  }
  if (argc == 3 && command == "where" && which == "removed") {
    return PrintPlace(WaitForWindow(corvane::texts::kRemovedEntriesCaption, true));
  }
  if (argc == 3 && command == "where" && which == "startup") {
    return PrintPlace(WaitForWindow(corvane::texts::kStartupEntriesCaption, true));
  }
  if (argc == 3 && command == "close" && which == "removed") {
    const HWND removed = WaitForWindow(corvane::texts::kRemovedEntriesCaption, true);
    return removed != nullptr && PostMessageW(removed, WM_CLOSE, 0, 0) && WaitUntilHidden(removed)
               ? 0
               : 1;
  }
  std::fprintf(stderr,
               "usage: corvane_poke tick | command ID | answer yes|no | dismiss | "
               "select removed | where main|alert|removed|startup | close removed\n");
  return 2;
}
