// Fields of the program's own record files (saved baseline, backups): any
// bytes stand on one line between tabs, since control characters, DEL and
// "%" are written as %XX.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

std::string EscapeField(const std::string& text);

// The field's bytes; no value for a text that EscapeField cannot have made
// (an escape cut short or not in hexadecimal).
std::optional<std::string> UnescapeField(const std::string& text);

// The bytes as lower-case hexadecimal digits, two a byte.
std::string HexBytes(const std::string& bytes);

// A line's fields, split at its tabs, as written (still escaped).
std::vector<std::string> SplitFields(const std::string& line);

}  // namespace corvane
