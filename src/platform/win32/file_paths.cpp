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

// A full path that Windows would read as it is: from a drive's root or a
// share, with no "." or ".." part, no empty part and no "/". Its \\?\ form
// names the same file, also when a name ends in a dot or a blank, which
// Windows' own resolution would cut off.
bool IsPlainFullPath(const std::wstring& path) {
  const bool drive = path.size() > 3 && path[1] == L':' && path[2] == L'\\';
  const bool share = path.size() > 2 && StartsWith(path, L"\\\\");
  if ((!drive && !share) || path.find(L'/') != std::wstring::npos) return false;
  std::size_t start = drive ? 3 : 2;
  while (start <= path.size()) {
    auto end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    const auto part = path.substr(start, end - start);
    // Only a final backslash may leave an empty part.
    if ((part.empty() && end != path.size()) || part == L"." || part == L"..") return false;
    start = end + 1;
  }
  return true;
}

std::wstring LongForm(const std::wstring& full) {
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::wstring PathFor(const std::string& path, bool exact) {
  constexpr std::size_t kLongestShortPath = MAX_PATH - 12;
  if (HoldsNul(path)) return L"";
  const std::wstring wide = Wide(path);
  // Device paths (\\.\ and \\?\) are taken literally anyway.
  if (StartsWith(wide, L"\\\\.\\") || StartsWith(wide, L"\\\\?\\")) return wide;
  if (exact && IsPlainFullPath(wide)) return LongForm(wide);
  if (wide.size() < kLongestShortPath) return wide;
  return LongForm(FullPath(wide));
}

}  // namespace

std::wstring FilePath(const std::string& path) { return PathFor(path, true); }

std::wstring ShellFilePath(const std::string& path) { return PathFor(path, false); }

}  // namespace corvane::win32
