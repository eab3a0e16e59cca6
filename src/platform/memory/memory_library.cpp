#include "platform/memory/memory_library.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace corvane {

namespace {

auto Matching(const std::string& name) {
  return [folded = FoldCase(name)](const std::string& item) { return FoldCase(item) == folded; };
}

}  // namespace

std::optional<std::vector<std::string>> MemoryLibrary::Names() {
  ++listings_;
  if (!reachable_) return std::nullopt;
  return names_;
}

std::optional<bool> MemoryLibrary::Has(const std::string& name) {
  if (!reachable_) return std::nullopt;
  return std::any_of(names_.begin(), names_.end(), Matching(name));
}

bool MemoryLibrary::Delete(const std::string& name) {
  if (!reachable_ || refused_.count(FoldCase(name)) != 0) return false;
  const auto found = std::find_if(names_.begin(), names_.end(), Matching(name));
  if (found == names_.end()) return false;
  names_.erase(found);
  definitions_.erase(FoldCase(name));
  return true;
}

std::optional<std::string> MemoryLibrary::Definition(const std::string& name) {
  if (Has(name) != std::optional<bool>(true)) return std::nullopt;
  return definitions_[FoldCase(name)];
}

bool MemoryLibrary::Register(const std::string& name, const std::string& definition) {
  if (!reachable_ || refused_.count(FoldCase(name)) != 0 || *Has(name)) return false;
  Add(name, definition);
  return true;
}

void MemoryLibrary::Add(const std::string& name, const std::string& definition) {
  names_.push_back(name);
  definitions_[FoldCase(name)] = definition;
}

void MemoryLibrary::RefuseDeleting(const std::string& name) { refused_.insert(FoldCase(name)); }

}  // namespace corvane
