#include "platform/memory/memory_environment.h"

#include "platform/case_fold.h"

namespace corvane {

std::string MemoryEnvironment::Get(const std::string& name) const {
  const auto it = variables_.find(FoldCase(name));
  return it == variables_.end() ? std::string() : it->second;
}

std::string MemoryEnvironment::ShellFolderPath(ShellFolder folder) const {
  const auto it = shell_folders_.find(folder);
  return it == shell_folders_.end() ? std::string() : it->second;
}

void MemoryEnvironment::SetShellFolder(ShellFolder folder, const std::string& path) {
  shell_folders_[folder] = path;
}

void MemoryEnvironment::Set(const std::string& name, const std::string& value) {
  variables_[FoldCase(name)] = value;
}

void MemoryEnvironment::Unset(const std::string& name) { variables_.erase(FoldCase(name)); }

}  // namespace corvane
