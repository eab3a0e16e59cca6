#include "platform/record_fields.h"

namespace corvane {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr char kFieldSeparator = '\t';

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string HexBytes(const std::string& bytes) {
  constexpr char kLowerDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += kLowerDigits[byte >> 4];
    text += kLowerDigits[byte & 0xF];
  }
  return text;
}

std::string EscapeField(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      escaped += '%';
      escaped += kDigits[byte >> 4];
      escaped += kDigits[byte & 0xF];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::optional<std::string> UnescapeField(const std::string& text) {
  std::string plain;
  plain.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '%') {
      plain += text[at];
      continue;
    }
    if (at + 2 >= text.size()) return std::nullopt;
    const int high = DigitValue(text[at + 1]);
    const int low = DigitValue(text[at + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    plain += static_cast<char>(high * 16 + low);
    at += 2;
  }
  return plain;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (auto tab = line.find(kFieldSeparator); tab != std::string::npos;
       tab = line.find(kFieldSeparator, start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace corvane
