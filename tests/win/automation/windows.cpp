#include "automation/windows.h"

#include <algorithm>
#include <cctype>
#include <cwchar>

#include "platform/win32/wide.h"

namespace corvane::automation {
namespace {

constexpr DWORD kPollMs = 5;
// A window that does not answer a message within this is taken as hung.
constexpr UINT kAnswerMs = 2000;

struct Search {
  DWORD process_id;
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  if (TextOf(window) != *search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(kPollMs);
  }
}

HWND FindWindowOf(DWORD process_id, const std::string& caption) {
  Search search{process_id, &caption, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD process_id, const std::string& caption, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOf(process_id, caption)) != nullptr; }, timeout_ms);
  return found;
}

bool WaitUntilHidden(HWND window, DWORD timeout_ms) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms);
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length)) {
    return "";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, kAnswerMs, &got);
  text.resize(std::min<std::size_t>(got, length));
  return win32::Utf8(text);
}

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, int(sizeof name / sizeof name[0]));
  std::string upper = win32::Utf8(name, std::wcslen(name));
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

std::vector<ControlInfo> ChildrenOf(HWND parent) {
  std::vector<ControlInfo> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ControlInfo info;
    info.window = child;
    info.class_name = ClassOf(child);
    info.text = TextOf(child);
    GetWindowRect(child, &info.rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&info.rect), 2);
    info.style = static_cast<LONG>(GetWindowLongPtrW(child, GWL_STYLE));
    info.extended_style = static_cast<LONG>(GetWindowLongPtrW(child, GWL_EXSTYLE));
    info.id = GetDlgCtrlID(child);
    info.enabled = IsWindowEnabled(child) != FALSE;
    info.visible = IsWindowVisible(child) != FALSE;
    children.push_back(info);
  }
  return children;
}

ControlInfo ChildWithText(HWND parent, const std::string& text) {
  for (const ControlInfo& child : ChildrenOf(parent)) {
    if (child.visible && child.text == text) return child;
  }
  return ControlInfo{};
}

HWND FocusIn(HWND top_level) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top_level, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace corvane::automation
