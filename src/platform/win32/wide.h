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

// Whether a name holds a NUL: a NUL-ended call would stop there and reach
// another name, so such a name goes only to the counted calls, or nowhere.
inline bool HoldsNul(const std::string& text) { return text.find('\0') != std::string::npos; }
inline bool HoldsNul(const std::wstring& text) { return text.find(L'\0') != std::wstring::npos; }

}  // namespace corvane::win32
