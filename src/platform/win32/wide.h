// Between the program's UTF-8 text and the 16-bit text of the W functions.
// Every call into Windows converts here and nowhere else.
#pragma once

#include <cstddef>
#include <string>

#include "platform/unicode.h"

namespace corvane::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is 16-bit");

inline std::wstring Wide(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

// `length` units, embedded NULs included: a name is carried whole.
inline std::string Utf8(const wchar_t* text, std::size_t length) {
  return Utf16ToUtf8(std::u16string(text, text + length));
}

inline std::string Utf8(const std::wstring& text) { return Utf8(text.data(), text.size()); }

}  // namespace corvane::win32
