#include "platform/win32/win32_environment.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace corvane {

std::string Win32Environment::Get(const std::string& name) const {
  const std::wstring wide_name = win32::Wide(name);
  // No variable's name holds a NUL; the cut name would be another one.
  if (win32::HoldsNul(wide_name)) return "";
  // With no room given, the answer is the size needed, terminator included.
  DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  while (size != 0) {
    std::wstring value(size, L'\0');
    const DWORD copied = GetEnvironmentVariableW(wide_name.c_str(), &value[0], size);
    // A copy leaves out the terminator; 0 means the value went or became empty.
    if (copied < size) return win32::Utf8(value.data(), copied);
    // It grew in between and the answer is the new size: ask again.
    size = copied;
  }
  return "";
}

}  // namespace corvane
