// Text inside Corvane is UTF-8 in std::string; Windows hands out names as
// 16-bit units. A name need not be valid UTF-16 (a lone surrogate is a legal
// file or value name), so the two convert as WTF-8: a lone surrogate is
// encoded like any other code point and comes back unchanged, and every
// name Windows can hold survives the round trip.
#pragma once

#include <cstddef>
#include <string>

namespace corvane {

std::string Utf16ToUtf8(const std::u16string& text);
// Bytes that are no UTF-8 (nor WTF-8) become U+FFFD each.
std::u16string Utf8ToUtf16(const std::string& text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& bytes);

// Characters, not bytes: a UTF-8 sequence counts once.
std::size_t CharacterCount(const std::string& text);
// The first or the last `count` characters (all of them when there are fewer).
std::string FirstCharacters(const std::string& text, std::size_t count);
std::string LastCharacters(const std::string& text, std::size_t count);

// The text with control characters and bytes that are no UTF-8 written out
// (\0, \t, \n, \r, \xNN), so that a hostile name shows whole, stays on one
// line and leaves a log that reads as UTF-8.
std::string Printable(const std::string& text);

}  // namespace corvane
