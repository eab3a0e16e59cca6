// The calls the tray component makes outside its own window: the
// notification area and the kernel's service-process registration. Tests put
// a recording fake in their place.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace corvane {

class TraySystem {
 public:
  virtual ~TraySystem() = default;
  // Shell_NotifyIconW: NIM_ADD, NIM_MODIFY or NIM_DELETE with the record.
  virtual BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) = 0;
  // GetModuleHandleW: a module already loaded into the process, or null.
  virtual HMODULE ModuleHandle(const char* name) = 0;
  // GetProcAddress: an entry of the module, or null.
  virtual FARPROC ProcAddress(HMODULE module, const char* name) = 0;
};

// The real calls.
class Win32TraySystem : public TraySystem {
 public:
  BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) override;
  HMODULE ModuleHandle(const char* name) override;
  FARPROC ProcAddress(HMODULE module, const char* name) override;
};

// One shared instance for components that are given none.
TraySystem& DefaultTraySystem();

}  // namespace corvane
