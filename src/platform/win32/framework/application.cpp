#include "platform/win32/framework/application.h"

#include <commctrl.h>

#include <exception>
#include <utility>

#include "platform/win32/framework/dialog_keys.h"
#include "platform/win32/framework/window_classes.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::win32 {

namespace {

// The icon drawn for the size of that system metric, not one scaled to it.
IconHandle LoadIconAt(HINSTANCE instance, int resource, int width_metric, int height_metric) {
  if (resource == 0) return IconHandle();
  return IconHandle(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_ICON,
                 GetSystemMetrics(width_metric), GetSystemMetrics(height_metric), 0)));
}

}  // namespace

Application::Application(HINSTANCE instance, const std::string& title, int icon_resource)
    : instance_(instance),
      title_(title),
      big_icon_(LoadIconAt(instance, icon_resource, SM_CXICON, SM_CYICON)),
      small_icon_(LoadIconAt(instance, icon_resource, SM_CXSMICON, SM_CYSMICON)) {
  // Tool tips come from the common controls.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClasses(instance);
  // A popup with a caption: it stands on the taskbar once shown, as the
  // program's one button, and stays out of sight otherwise.
  window_ = WindowHandle(CreateWindowExW(0, kApplicationClass, Wide(title).c_str(),
                                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                                         0, 0, 0, nullptr, nullptr, instance, nullptr));
  SetIconOf(handle());
}

void Application::SetIconOf(HWND window) const {
  if (window == nullptr) return;
  if (big_icon_) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon()));
  }
  if (small_icon_) {
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon()));
  }
}

int Application::Run() {
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      if (HandleDialogKeys(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    std::vector<HANDLE> handles;
    if (wait_handles_) handles = wait_handles_();
    if (handles.size() > kMaxWaitHandles) handles.resize(kMaxWaitHandles);  // the rest: poll timer
    const auto count = static_cast<DWORD>(handles.size());
    // MWMO_INPUTAVAILABLE: also a message that was seen but left in the
    // queue (by a PeekMessage without PM_REMOVE elsewhere) ends the wait.
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                    MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + count) {
      const HANDLE signaled = handles[woken - WAIT_OBJECT_0];
      Guarded([this, signaled] { signaled_(signaled); });
    } else if (woken == WAIT_FAILED) {
      // A handle that cannot be waited on would wake the loop at once, for
      // ever; the poll timer still watches everything.
      wait_handles_ = nullptr;
    }
  }
}

void Application::WaitAlsoOn(std::function<std::vector<HANDLE>()> handles,
                             std::function<void(HANDLE)> signaled) {
  wait_handles_ = std::move(handles);
  signaled_ = std::move(signaled);
}

void Application::Terminate(int exit_code) { PostQuitMessage(exit_code); }

bool Application::HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void Application::ShowError(const std::string& message) const {
  MessageBoxW(BoxOwner(), Wide(WithPeriod(message)).c_str(), Wide(title_).c_str(),
              MB_OK | MB_ICONERROR);
}

void Application::Guarded(const std::function<void()>& handler) const {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError(texts::kUnknownError);
  }
}

HWND Application::BoxOwner() const {
  const HWND active = GetActiveWindow();
  return active != nullptr ? active : handle();
}

std::string WithPeriod(const std::string& message) {
  if (!message.empty() && message.back() == '.') return message;
  return message + ".";
}

}  // namespace corvane::win32
