#include "platform/win32/win32_environment.h"

#include <windows.h>

namespace corvane {

std::string Win32Environment::Get(const std::string& name) const {
  // With no room given, the answer is the size needed, terminator included.
  const DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (needed == 0) return "";
  std::string value(needed, '\0');
  const DWORD copied = GetEnvironmentVariableA(name.c_str(), &value[0], needed);
  // A value that grew in between answers with a size again, not a copy.
  if (copied == 0 || copied >= needed) return "";
  value.resize(copied);
  return value;
}

}  // namespace corvane
