// Environment variables of the running process.
#pragma once

#include <string>

#include "platform/environment.h"

namespace corvane {

class Win32Environment : public Environment {
 public:
  std::string Get(const std::string& name) const override;
};

}  // namespace corvane
