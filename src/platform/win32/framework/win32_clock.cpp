#include "platform/win32/framework/win32_clock.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

// Both functions report the size they need, the closing zero included, when
// handed no buffer.
template <typename Format>
std::string Formatted(Format format) {
  const int size = format(nullptr, 0);
  if (size <= 0) return "";
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  const int written = format(&text[0], size);
  text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
  return Utf8(text);
}

}  // namespace

Timestamp Win32Clock::Now() const {
  SYSTEMTIME now;
  GetLocalTime(&now);  // once, so that date and time are of the same moment
  Timestamp stamp;
  stamp.date = Formatted([&](wchar_t* buffer, int size) {
    return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, size);
  });
  stamp.time = Formatted([&](wchar_t* buffer, int size) {
    return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, size);
  });
  wchar_t sortable[32];
  swprintf(sortable, 32, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
           now.wHour, now.wMinute, now.wSecond);
  stamp.sortable = Utf8(std::wstring(sortable));
  return stamp;
}

}  // namespace corvane::win32
