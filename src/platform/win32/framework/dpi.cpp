#include "platform/win32/framework/dpi.h"

#include "platform/win32/framework/gui_handles.h"

namespace corvane::win32 {

int DpiOf(HWND window) {
  // GetDpiForWindow came with Windows 10 1607; older systems have only the
  // screen's pixels per inch.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  int dpi = 0;
  if (dpi_for_window != nullptr && window != nullptr) dpi = int(dpi_for_window(window));
  if (dpi <= 0) {
    const WindowDc dc(window);
    if (dc.get() != nullptr) dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
  }
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace corvane::win32
