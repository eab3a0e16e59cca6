#pragma once

#include <string>

namespace corvane {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value, or "" when it is not set, empty or cannot be read.
  virtual std::string Get(const std::string& name) const = 0;
};

}  // namespace corvane
