#include "platform/win32/win32_program_facts.h"

namespace corvane {

// TODO(platform helper): the real implementations.
std::optional<Shortcut> Win32ProgramFacts::ReadShortcut(const std::string&) const {
  return std::nullopt;
}

std::string Win32ProgramFacts::Publisher(const std::string&) const { return {}; }

std::string Win32ProgramFacts::SearchProgram(const std::string&) const { return {}; }

}  // namespace corvane
