// What Windows can tell about the programs that entries start: where a
// shortcut points and who published a program file.
#pragma once

#include <optional>
#include <string>

namespace corvane {

struct Shortcut {
  std::string target;     // the full path the link starts, environment variables expanded
  std::string arguments;  // "" when it has none
};

class ProgramFacts {
 public:
  virtual ~ProgramFacts() = default;

  // What the shell link (.lnk) starts; no value when the file is no link or
  // cannot be read.
  virtual std::optional<Shortcut> ReadShortcut(const std::string& path) const = 0;

  // The company name in the program file's version information; "" when the
  // file is missing or names none.
  virtual std::string Publisher(const std::string& program_path) const = 0;

  // The full path of a program given without folder, as Windows' search
  // (the system folders, then PATH) finds it; "" when it finds none.
  virtual std::string SearchProgram(const std::string& file_name) const = 0;
};

}  // namespace corvane
