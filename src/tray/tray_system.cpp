#include "tray/tray_system.h"

#include "platform/win32/wide.h"

namespace corvane {

BOOL Win32TraySystem::NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
  return Shell_NotifyIconW(message, data);
}

HMODULE Win32TraySystem::ModuleHandle(const char* name) {
  return GetModuleHandleW(win32::Wide(name).c_str());
}

FARPROC Win32TraySystem::ProcAddress(HMODULE module, const char* name) {
  return GetProcAddress(module, name);
}

TraySystem& DefaultTraySystem() {
  static Win32TraySystem system;
  return system;
}

}  // namespace corvane
