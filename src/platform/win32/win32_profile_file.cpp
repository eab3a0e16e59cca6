#include "platform/win32/win32_profile_file.h"

#include <windows.h>

#include <string>

#include "platform/errors.h"
#include "platform/win32/file_paths.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {

using win32::HoldsNul;

std::string Win32ProfileFile::Read(const std::string& path, const std::string& key,
                                   const std::string& fallback) const {
  // A NUL-ended key or path would name another one.
  if (HoldsNul(path) || HoldsNul(key)) return fallback;
  const std::wstring file = win32::ShellFilePath(path);
  const std::wstring section = win32::Wide(texts::kOptionsSection);
  const std::wstring wide_key = win32::Wide(key);
  const std::wstring wide_fallback = win32::Wide(fallback);
  std::wstring buffer(256, L'\0');
  for (;;) {
    const DWORD length = GetPrivateProfileStringW(
        section.c_str(), wide_key.c_str(), wide_fallback.c_str(), &buffer[0],
        static_cast<DWORD>(buffer.size()), file.c_str());
    // A value cut to fit the buffer fills it up to the terminator.
    if (length + 1 < buffer.size()) return win32::Utf8(buffer.data(), length);
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

void Win32ProfileFile::Write(const std::string& path, const std::string& key,
                             const std::string& value) {
  const std::wstring file = win32::ShellFilePath(path);
  const std::wstring section = win32::Wide(texts::kOptionsSection);
  const std::wstring wide_key = win32::Wide(key);
  const std::wstring wide_value = win32::Wide(value);
  const bool written =
      !HoldsNul(path) && !HoldsNul(key) && !HoldsNul(value) &&
      WritePrivateProfileStringW(section.c_str(), wide_key.c_str(), wide_value.c_str(),
                                 file.c_str()) != 0;
  // Windows may cache profile writes; a null write flushes them to the file.
  if (!file.empty()) WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
  if (!written) throw InOutError(FormatText(texts::kUnableToWriteFile, path));
}

}  // namespace corvane
