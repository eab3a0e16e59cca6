#include "tray/tray_test_support.h"

#include "automation/windows.h"

namespace corvane::tray_test {
namespace {

constexpr char kOwnerClass[] = "CorvaneTrayTestOwner";

HWND MakeWindow(const char* title, void* owner) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = &TestOwner::Procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kOwnerClass;
  RegisterClassA(&window_class);  // fails harmlessly once registered
  return CreateWindowExA(0, kOwnerClass, title, WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                         nullptr, GetModuleHandleA(nullptr), owner);
}

BOOL CALLBACK FindMenu(HWND window, LPARAM found) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (process_id != GetCurrentProcessId() || !IsWindowVisible(window) ||
      std::strcmp(name, "#32768") != 0) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

TestOwner::TestOwner(std::string title)
    : title_(std::move(title)), window_(MakeWindow("Tray owner", this)) {}

LRESULT CALLBACK TestOwner::Procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* owner = reinterpret_cast<TestOwner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (owner != nullptr && msg != WM_NCDESTROY) owner->received.push_back({msg, wparam, lparam});
  return DefWindowProcA(window, msg, wparam, lparam);
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

HWND MakeTitledWindow(const std::string& title) { return MakeWindow(title.c_str(), nullptr); }

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
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
          PostMessageA(menu, WM_KEYDOWN, key, 1);
          PostMessageA(menu, WM_KEYUP, key, 0xC0000001);
        }
      }) {}

bool MenuUser::Finish() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

}  // namespace corvane::tray_test
