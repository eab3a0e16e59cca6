#pragma once

#include <map>
#include <string>

#include "platform/environment.h"

namespace corvane {

// Environment variables for the host build; names without letter case, as on Windows.
class MemoryEnvironment : public Environment {
 public:
  std::string Get(const std::string& name) const override;
  std::string ShellFolderPath(ShellFolder folder) const override;
  void Set(const std::string& name, const std::string& value);
  void Unset(const std::string& name);
  void SetShellFolder(ShellFolder folder, const std::string& path);

 private:
  std::map<std::string, std::string> variables_;  // by folded name
  std::map<ShellFolder, std::string> shell_folders_;
};

}  // namespace corvane
