#include "platform/unicode.h"

namespace corvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// One code point from `text` at `at`, which moves past it; U+FFFD for a
// byte that starts no well-formed sequence (that byte alone is consumed).
// Surrogates pass when `allow_surrogates`, as WTF-8 needs.
char32_t NextCodePoint(const std::string& text, std::size_t& at, bool allow_surrogates,
                       bool& valid) {
  const auto lead = static_cast<unsigned char>(text[at]);
  valid = true;
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  std::size_t length = 0;
  char32_t code = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, smallest = 0x10000;
  }
  bool ok = length != 0 && at + length <= text.size();
  for (std::size_t i = 1; ok && i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    ok = IsContinuation(byte);
    code = (code << 6) | (byte & 0x3F);
  }
  ok = ok && code >= smallest && code <= 0x10FFFF &&
       (allow_surrogates || !(IsHighSurrogate(code) || IsLowSurrogate(code)));
  if (!ok) {
    ++at;
    valid = false;
    return kReplacement;
  }
  at += length;
  return code;
}

}  // namespace

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t code = text[at];
    if (IsHighSurrogate(code) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[at + 1] - 0xDC00);
      ++at;
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    bool valid = false;
    const char32_t code = NextCodePoint(text, at, true, valid);
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

bool IsValidUtf8(const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    bool valid = false;
    NextCodePoint(bytes, at, false, valid);
    if (!valid) return false;
  }
  return true;
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  return count;
}

std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!IsContinuation(static_cast<unsigned char>(text[at])) && characters++ == count) {
      return text.substr(0, at);
    }
  }
  return text;
}

std::string LastCharacters(const std::string& text, std::size_t count) {
  std::size_t start = text.size();
  while (start > 0 && count > 0) {
    --start;
    if (!IsContinuation(static_cast<unsigned char>(text[start]))) --count;
  }
  return text.substr(start);
}

std::string Printable(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    bool valid = false;
    const char32_t code = NextCodePoint(text, at, false, valid);
    if (valid && code >= 0x20 && code != 0x7F) {
      out.append(text, start, at - start);
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[start]);
    switch (valid ? code : 0xFFFF) {
      case U'\0': out += "\\0"; break;
      case U'\t': out += "\\t"; break;
      case U'\n': out += "\\n"; break;
      case U'\r': out += "\\r"; break;
      default:
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace corvane
