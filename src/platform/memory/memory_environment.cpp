#include "platform/memory/memory_environment.h"

#include "platform/memory/case_fold.h"

namespace corvane {

std::string MemoryEnvironment::Get(const std::string& name) const {
  const auto it = variables_.find(FoldCase(name));
  return it == variables_.end() ? std::string() : it->second;
}

void MemoryEnvironment::Set(const std::string& name, const std::string& value) {
  variables_[FoldCase(name)] = value;
}

void MemoryEnvironment::Unset(const std::string& name) { variables_.erase(FoldCase(name)); }

}  // namespace corvane
