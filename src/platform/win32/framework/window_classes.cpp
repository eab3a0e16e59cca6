#include "platform/win32/framework/window_classes.h"

#include <cstring>

#include "platform/win32/framework/form.h"

namespace corvane::win32 {
namespace {

void Register(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  RegisterClassExA(&window_class);
}

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  Register(instance, kApplicationClass, DefWindowProcA, nullptr);
  Register(instance, kFormClass, Form::WindowProcedure, GetSysColorBrush(COLOR_BTNFACE));
}

bool IsFormWindow(HWND window) {
  char name[sizeof kFormClass + 1] = {};
  return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
         std::strcmp(name, kFormClass) == 0;
}

}  // namespace corvane::win32
