#include "platform/win32/framework/window_classes.h"

#include <cwchar>

#include "platform/win32/framework/form.h"

namespace corvane::win32 {
namespace {

void Register(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, SystemResource(IDC_ARROW));
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  Register(instance, kApplicationClass, DefWindowProcW, nullptr);
  Register(instance, kFormClass, Form::WindowProcedure, GetSysColorBrush(COLOR_BTNFACE));
}

bool IsFormWindow(HWND window) {
  wchar_t name[sizeof kFormClass / sizeof kFormClass[0] + 1] = {};
  return window != nullptr && GetClassNameW(window, name, int(sizeof name / sizeof name[0])) > 0 &&
         std::wcscmp(name, kFormClass) == 0;
}

}  // namespace corvane::win32
