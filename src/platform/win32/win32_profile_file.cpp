#include "platform/win32/win32_profile_file.h"

#include <windows.h>

#include <vector>

#include "platform/errors.h"
#include "texts.h"

namespace corvane {

std::string Win32ProfileFile::Read(const std::string& path, const std::string& key,
                                   const std::string& fallback) const {
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD length =
        GetPrivateProfileStringA(texts::kOptionsSection, key.c_str(), fallback.c_str(),
                                 buffer.data(), static_cast<DWORD>(buffer.size()),
                                 path.c_str());
    // A value cut to fit the buffer fills it up to the terminator.
    if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 4);
  }
}

void Win32ProfileFile::Write(const std::string& path, const std::string& key,
                             const std::string& value) {
  const bool written = WritePrivateProfileStringA(texts::kOptionsSection, key.c_str(),
                                                  value.c_str(), path.c_str()) != 0;
  // Windows may cache profile writes; a null write flushes them to the file.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
  if (!written) throw InOutError(FormatText(texts::kUnableToWriteFile, path));
}

}  // namespace corvane
