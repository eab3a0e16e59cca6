#include "tray/tray_system.h"

namespace corvane {

BOOL Win32TraySystem::NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
  return Shell_NotifyIconA(message, data);
}

HMODULE Win32TraySystem::ModuleHandle(const char* name) { return GetModuleHandleA(name); }

FARPROC Win32TraySystem::ProcAddress(HMODULE module, const char* name) {
  return GetProcAddress(module, name);
}

TraySystem& DefaultTraySystem() {
  static Win32TraySystem system;
  return system;
}

}  // namespace corvane
