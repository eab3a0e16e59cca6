#include <gtest/gtest.h>

#include "platform/unicode.h"

namespace corvane {
namespace {

TEST(Unicode, EveryNameWindowsCanHoldSurvivesTheRoundTrip) {
  const std::u16string names[] = {
      u"Tool", u"Жtool", u"Тест工具", u"Ж中.lnk", u"CvŌne", u"😀 emoji",
      std::u16string(u"CvLegit\0Evil", 12),  // a NUL inside the name
      std::u16string(1, char16_t(0xD800)),   // lone surrogates, legal in names
      std::u16string{u'a', char16_t(0xDFFF), u'b'},
      std::u16string{char16_t(0xDBFF), char16_t(0xD800)},  // high then high: not a pair
  };
  for (const auto& name : names) EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
  EXPECT_EQ(Utf16ToUtf8(u"Тест工具"), "Тест工具");
  EXPECT_EQ(Utf16ToUtf8(u"😀"), "\xF0\x9F\x98\x80");
  // Bytes that are no UTF-8 turn into U+FFFD each, never into other names.
  EXPECT_EQ(Utf8ToUtf16("a\xFF\xC0\x80z"), u"a\uFFFD\uFFFD\uFFFDz");
}

TEST(Unicode, StrictUtf8TellsTextWrittenInAnsiFromUtf8) {
  for (const char* valid : {"", "plain", "Тест工具", "\xF0\x9F\x98\x80"}) {
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  }
  for (const char* invalid : {"Caf\xE9", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82",
                              "\x80"}) {
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
  }
}

TEST(Unicode, PrintableWritesOutWhatWouldBreakALineOrHideAName) {
  const struct {
    std::string text, printable;
  } cases[] = {
      {"Тест工具", "Тест工具"},
      {std::string("a\0b", 3), "a\\0b"},
      {"Cv\r\nX\t\x1B\x7F", "Cv\\r\\nX\\t\\x1B\\x7F"},
      {"Caf\xE9", "Caf\\xE9"},
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
  };
  for (const auto& c : cases) EXPECT_EQ(Printable(c.text), c.printable);
  EXPECT_EQ(CharacterCount("Тест工具"), 6u);
  EXPECT_EQ(LastCharacters("abТест工具", 3), "т工具");
  EXPECT_EQ(LastCharacters("ab", 5), "ab");
  EXPECT_EQ(FirstCharacters("Тест工具", 5), "Тест工");
  EXPECT_EQ(FirstCharacters("ab", 5), "ab");
}

}  // namespace
}  // namespace corvane
