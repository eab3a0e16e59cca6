#include "platform/win32/win32_environment.h"

#include <windows.h>
#include <shlobj.h>

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

std::string Win32Environment::ShellFolderPath(ShellFolder folder) const {
  // The CSIDL call reaches the same known folders on Vista and later, and
  // also runs where those are unknown. Nothing is created.
  const int id = folder == ShellFolder::kStartup         ? CSIDL_STARTUP
                 : folder == ShellFolder::kCommonStartup ? CSIDL_COMMON_STARTUP
                                                         : CSIDL_PERSONAL;
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, id | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path) !=
      S_OK) {
    return "";
  }
  std::string text = win32::Utf8(path);
  while (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

}  // namespace corvane
