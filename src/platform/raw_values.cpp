#include "platform/registry.h"
#include "platform/unicode.h"

namespace corvane {

namespace {

char16_t UnitAt(const std::string& bytes, std::size_t at) {
  return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::string LittleEndianBytes(const std::u16string& units) {
  std::string bytes;
  for (const char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace

std::optional<std::string> TextOfRawValue(const RawValue& value) {
  if (value.type != kTextValueType && value.type != kExpandableTextValueType) return std::nullopt;
  std::u16string text;
  for (std::size_t at = 0; at + 1 < value.bytes.size(); at += 2) {
    const auto unit = UnitAt(value.bytes, at);
    if (unit == 0) break;
    text += unit;
  }
  return Utf16ToUtf8(text);
}

std::vector<std::string> ItemsOfRawValue(const RawValue& value) {
  if (value.type != kMultiTextValueType) {
    const auto text = TextOfRawValue(value);
    if (!text || text->empty()) return {};
    return {*text};
  }
  std::vector<std::string> items;
  std::u16string item;
  for (std::size_t at = 0; at + 1 < value.bytes.size(); at += 2) {
    const auto unit = UnitAt(value.bytes, at);
    if (unit != 0) {
      item += unit;
      continue;
    }
    if (!item.empty()) items.push_back(Utf16ToUtf8(item));
    item.clear();
  }
  // Windows also reads an item whose closing NUL is missing.
  if (!item.empty()) items.push_back(Utf16ToUtf8(item));
  return items;
}

RawValue RawMultiStringValue(const std::vector<std::string>& items) {
  std::u16string units;
  for (const auto& item : items) units += Utf8ToUtf16(item) + u'\0';
  return {kMultiTextValueType, LittleEndianBytes(units + u'\0')};
}

std::optional<std::int32_t> NumberOfRawValue(const RawValue& value) {
  if (value.type != kNumberValueType || value.bytes.size() != 4) return std::nullopt;
  std::uint32_t number = 0;
  for (int at = 3; at >= 0; --at) number = number << 8 | static_cast<unsigned char>(value.bytes[at]);
  return static_cast<std::int32_t>(number);
}

RawValue RawStringValue(std::uint32_t type, const std::string& text) {
  return {type, LittleEndianBytes(Utf8ToUtf16(text) + u'\0')};
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
