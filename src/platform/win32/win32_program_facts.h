// Shortcuts through the shell's link object, publishers from version
// information, and Windows' program search.
#pragma once

#include "platform/program_facts.h"

namespace corvane {

class Win32ProgramFacts : public ProgramFacts {
 public:
  std::optional<Shortcut> ReadShortcut(const std::string& path) const override;
  std::string Publisher(const std::string& program_path) const override;
  std::string SearchProgram(const std::string& file_name) const override;
};

}  // namespace corvane
