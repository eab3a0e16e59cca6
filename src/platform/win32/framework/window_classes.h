// The window classes of the toolkit's own windows.
#pragma once

#include <windows.h>

namespace corvane::win32 {

inline constexpr wchar_t kApplicationClass[] = L"CorvaneApplication";
inline constexpr wchar_t kFormClass[] = L"CorvaneForm";

// Registers the classes once per process; later calls do nothing.
void RegisterWindowClasses(HINSTANCE instance);

// Whether the window is one of our forms (so its GWLP_USERDATA is a Form).
bool IsFormWindow(HWND window);

}  // namespace corvane::win32
