#include "platform/registry.h"
#include "platform/unicode.h"

namespace corvane {

std::optional<std::string> TextOfRawValue(const RawValue& value) {
  if (value.type != kTextValueType && value.type != kExpandableTextValueType) return std::nullopt;
  std::u16string text;
  for (std::size_t at = 0; at + 1 < value.bytes.size(); at += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(value.bytes[at]) |
                                            static_cast<unsigned char>(value.bytes[at + 1]) << 8);
    if (unit == 0) break;
    text += unit;
  }
  return Utf16ToUtf8(text);
}

std::optional<std::int32_t> NumberOfRawValue(const RawValue& value) {
  if (value.type != kNumberValueType || value.bytes.size() != 4) return std::nullopt;
  std::uint32_t number = 0;
  for (int at = 3; at >= 0; --at) number = number << 8 | static_cast<unsigned char>(value.bytes[at]);
  return static_cast<std::int32_t>(number);
}

RawValue RawStringValue(std::uint32_t type, const std::string& text) {
  RawValue value{type, {}};
  for (const char16_t unit : Utf8ToUtf16(text) + u'\0') {
    value.bytes += static_cast<char>(unit & 0xFF);
    value.bytes += static_cast<char>(unit >> 8);
  }
  return value;
}

RawValue RawNumberValue(std::int32_t number) {
  RawValue value{kNumberValueType, {}};
  const auto bits = static_cast<std::uint32_t>(number);
  for (int at = 0; at < 4; ++at) value.bytes += static_cast<char>(bits >> (8 * at) & 0xFF);
  return value;
}

std::optional<std::string> ReadText(RegistryAccessor& key, const std::string& name) {
  const auto value = key.ReadRawValue(name);
  return value ? TextOfRawValue(*value) : std::nullopt;
}

std::optional<std::int32_t> ReadNumber(RegistryAccessor& key, const std::string& name) {
  const auto value = key.ReadRawValue(name);
  return value ? NumberOfRawValue(*value) : std::nullopt;
}

bool ValueExists(RegistryAccessor& key, const std::string& name) {
  return key.ReadRawValue(name).has_value();
}

bool WriteText(RegistryAccessor& key, const std::string& name, const std::string& text) {
  return key.WriteRawValue(name, RawStringValue(kTextValueType, text));
}

bool WriteNumber(RegistryAccessor& key, const std::string& name, std::int32_t number) {
  return key.WriteRawValue(name, RawNumberValue(number));
}

}  // namespace corvane
