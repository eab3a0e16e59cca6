// The errors that the platform layer raises. Callers decide, block by block,
// which of them they swallow; whatever they let through ends up in the
// application's error box.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace corvane {

// Replaces the first "%s" of a message template with the given name.
std::string FormatText(const char* message_template, const std::string& name);

// A count as the user reads it in a text: its digits in groups of three ("10,000").
std::string GroupedDigits(std::size_t count);

// A registry read or write that failed where the caller cannot go on. The
// accessors report failures in their results; callers raise this.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text file that could not be opened, read or written.
class InOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace corvane
