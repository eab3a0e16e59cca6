// Shortcuts, publishers and the program search for the host build, as a
// test sets them up; paths without letter case, as on Windows.
#pragma once

#include <map>
#include <string>

#include "platform/program_facts.h"

namespace corvane {

class MemoryProgramFacts : public ProgramFacts {
 public:
  std::optional<Shortcut> ReadShortcut(const std::string& path) const override;
  std::string Publisher(const std::string& program_path) const override;
  std::string SearchProgram(const std::string& file_name) const override;

  void SetShortcut(const std::string& path, const Shortcut& shortcut);
  void SetPublisher(const std::string& program_path, const std::string& company);
  void SetSearchResult(const std::string& file_name, const std::string& full_path);

 private:
  std::map<std::string, Shortcut> shortcuts_;        // by folded path
  std::map<std::string, std::string> publishers_;    // by folded path
  std::map<std::string, std::string> search_;        // by folded file name
};

}  // namespace corvane
