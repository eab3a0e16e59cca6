#include "platform/win32/file_paths.h"

#include <windows.h>

#include <cwchar>

#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

bool StartsWith(const std::wstring& text, const wchar_t* start) {
  return text.compare(0, std::wcslen(start), start) == 0;
}

// Absolute, with "." and ".." resolved and "/" turned into "\", as Windows
// reads a short path; unchanged when Windows cannot resolve it.
std::wstring FullPath(const std::wstring& path) {
  DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  while (size != 0) {
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length < size) return full.substr(0, length);
    size = length;  // the current folder changed in between
  }
  return path;
}

}  // namespace

std::wstring FilePath(const std::string& path) {
  constexpr std::size_t kLongestShortPath = MAX_PATH - 12;
  if (HoldsNul(path)) return L"";
  const std::wstring wide = Wide(path);
  // Device paths (\\.\ and \\?\) are taken literally anyway.
  if (wide.size() < kLongestShortPath || StartsWith(wide, L"\\\\.\\") ||
      StartsWith(wide, L"\\\\?\\")) {
    return wide;
  }
  const std::wstring full = FullPath(wide);
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace corvane::win32
