#pragma once

#include <map>
#include <string>

#include "platform/environment.h"

namespace corvane {

// Environment variables for the host build; names without letter case, as on Windows.
class MemoryEnvironment : public Environment {
 public:
  std::string Get(const std::string& name) const override;
  void Set(const std::string& name, const std::string& value);
  void Unset(const std::string& name);

 private:
  std::map<std::string, std::string> variables_;  // by folded name
};

}  // namespace corvane
