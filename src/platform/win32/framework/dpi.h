// The DPI a window is drawn at, and layout pixels (drawn for 96 dpi) in the
// pixels of that DPI.
#pragma once

#include <windows.h>

namespace corvane::win32 {

inline constexpr int kLayoutDpi = 96;
// WM_DPICHANGED, which the headers declare only when building for Windows
// 8.1 and later; older systems never send it.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The window's screen's DPI for a program that declares itself aware of it,
// else the system's (96 for one that does not).
int DpiOf(HWND window);

inline int ScaledToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kLayoutDpi); }

}  // namespace corvane::win32
