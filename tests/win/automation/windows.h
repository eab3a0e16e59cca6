// Finding and reading the windows of another process, as a test sees them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace corvane::automation {

// How long something may take to show on screen before a test gives up.
inline constexpr DWORD kPatience = 10000;

// Polls the condition every few milliseconds until it holds; false when the
// time ran out first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kPatience);

// A visible top-level window of the process with exactly that caption, or null.
HWND FindWindowOf(DWORD process_id, const std::string& caption);
// The same, waiting for it to show.
HWND WaitForWindow(DWORD process_id, const std::string& caption, DWORD timeout_ms = kPatience);
// True once the window is hidden or gone.
bool WaitUntilHidden(HWND window, DWORD timeout_ms = kPatience);

// The window's text as the window itself reports it (WM_GETTEXT), which for
// a text box is its contents; UTF-8.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
SIZE ClientSize(HWND window);

struct ControlInfo {
  HWND window = nullptr;
  std::string class_name;  // upper case for the system classes: BUTTON, STATIC...
  std::string text;
  RECT rect{};  // in the parent's client area
  LONG style = 0;
  LONG extended_style = 0;
  int id = 0;
  bool enabled = false;
  bool visible = false;

  int width() const { return rect.right - rect.left; }
  int height() const { return rect.bottom - rect.top; }
};

// The direct children, in z-order, which is the order Tab walks them.
std::vector<ControlInfo> ChildrenOf(HWND parent);
// The first visible child with that text; a default ControlInfo when none.
ControlInfo ChildWithText(HWND parent, const std::string& text);
// The control that has the keyboard focus in the window's thread.
HWND FocusIn(HWND top_level);

}  // namespace corvane::automation
