#include "platform/win32/framework/application.h"

#include <commctrl.h>

#include <exception>

#include "platform/win32/framework/dialog_keys.h"
#include "platform/win32/framework/window_classes.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::win32 {

Application::Application(HINSTANCE instance, const std::string& title)
    : instance_(instance), title_(title) {
  // Tool tips come from the common controls.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClasses(instance);
  // A popup with a caption: it stands on the taskbar once shown, as the
  // program's one button, and stays out of sight otherwise.
  window_ = WindowHandle(CreateWindowExW(0, kApplicationClass, Wide(title).c_str(),
                                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                                         0, 0, 0, nullptr, nullptr, instance, nullptr));
}

int Application::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Application::Terminate(int exit_code) { PostQuitMessage(exit_code); }

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
