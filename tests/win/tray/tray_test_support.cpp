#include "tray/tray_test_support.h"

#include <cwchar>

#include "automation/windows.h"
#include "platform/win32/wide.h"

namespace corvane::tray_test {
namespace {

constexpr wchar_t kOwnerClass[] = L"CorvaneTrayTestOwner";

HWND MakeWindow(const std::string& title, void* owner) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = &TestOwner::Procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kOwnerClass;
  RegisterClassW(&window_class);  // fails harmlessly once registered
  return CreateWindowExW(0, kOwnerClass, win32::Wide(title).c_str(), WS_OVERLAPPEDWINDOW, 100, 100,
                         300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), owner);
}

BOOL CALLBACK FindMenu(HWND window, LPARAM found) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (process_id != GetCurrentProcessId() || !IsWindowVisible(window) ||
      std::wcscmp(name, L"#32768") != 0) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

TestOwner::TestOwner() : window_(MakeWindow("Tray owner", this)) {}

LRESULT CALLBACK TestOwner::Procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* owner = reinterpret_cast<TestOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner != nullptr && msg != WM_NCDESTROY) owner->received.push_back({msg, wparam, lparam});
  return DefWindowProcW(window, msg, wparam, lparam);
}

bool TestOwner::Got(UINT msg) const {
  return std::any_of(received.begin(), received.end(),
                     [&](const Received& message) { return message.msg == msg; });
}

bool TestOwner::Got(UINT msg, WPARAM wparam) const {
  return std::any_of(received.begin(), received.end(), [&](const Received& message) {
    return message.msg == msg && message.wparam == wparam;
  });
}

HWND MakeTitledWindow(const std::string& title) { return MakeWindow(title, nullptr); }

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

win32::MenuHandle TrayMenu(const std::vector<std::pair<const char*, int>>& items) {
  std::vector<win32::MenuItem> menu;
  for (const auto& [text, command] : items) menu.push_back({text, command, {}, false});
  return win32::MakePopupMenu(menu);
}

MenuUser::MenuUser(std::vector<WORD> keys)
    : thread_([this, keys] {
        HWND menu = nullptr;
        if (!automation::WaitUntil([&] {
              EnumWindows(&FindMenu, reinterpret_cast<LPARAM>(&menu));
              return menu != nullptr;
            })) {
          return;
        }
        GetWindowRect(menu, &menu_rect);
        foreground = GetForegroundWindow();
        seen_ = true;
        for (const WORD key : keys) {
          PostMessageW(menu, WM_KEYDOWN, key, 1);
          PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
        }
      }) {}

bool MenuUser::Finish() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

}  // namespace corvane::tray_test
