#include "platform/registry.h"
#include "platform/unicode.h"

namespace corvane {

namespace {

constexpr std::uint32_t kString = 1;
constexpr std::uint32_t kExpandString = 2;

}  // namespace

std::optional<std::string> TextOfRawValue(const RawValue& value) {
  if (value.type != kString && value.type != kExpandString) return std::nullopt;
  std::u16string text;
  for (std::size_t at = 0; at + 1 < value.bytes.size(); at += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(value.bytes[at]) |
                                            static_cast<unsigned char>(value.bytes[at + 1]) << 8);
    if (unit == 0) break;
    text += unit;
  }
  return Utf16ToUtf8(text);
}

RawValue RawStringValue(std::uint32_t type, const std::string& text) {
  RawValue value{type, {}};
  for (const char16_t unit : Utf8ToUtf16(text) + u'\0') {
    value.bytes += static_cast<char>(unit & 0xFF);
    value.bytes += static_cast<char>(unit >> 8);
  }
  return value;
}

}  // namespace corvane
