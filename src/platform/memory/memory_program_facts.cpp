#include "platform/memory/memory_program_facts.h"

#include "platform/case_fold.h"

namespace corvane {

namespace {

template <typename Value>
Value Lookup(const std::map<std::string, Value>& map, const std::string& key) {
  const auto found = map.find(FoldCase(key));
  return found == map.end() ? Value{} : found->second;
}

}  // namespace

std::optional<Shortcut> MemoryProgramFacts::ReadShortcut(const std::string& path) const {
  const auto found = shortcuts_.find(FoldCase(path));
  if (found == shortcuts_.end()) return std::nullopt;
  return found->second;
}

std::string MemoryProgramFacts::Publisher(const std::string& program_path) const {
  return Lookup(publishers_, program_path);
}

std::string MemoryProgramFacts::SearchProgram(const std::string& file_name) const {
  return Lookup(search_, file_name);
}

void MemoryProgramFacts::SetShortcut(const std::string& path, const Shortcut& shortcut) {
  shortcuts_[FoldCase(path)] = shortcut;
}

void MemoryProgramFacts::SetPublisher(const std::string& program_path, const std::string& company) {
  publishers_[FoldCase(program_path)] = company;
}

void MemoryProgramFacts::SetSearchResult(const std::string& file_name,
                                         const std::string& full_path) {
  search_[FoldCase(file_name)] = full_path;
}

}  // namespace corvane
