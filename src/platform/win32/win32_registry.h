// The registry of the Windows machine Corvane runs on.
#pragma once

#include <memory>

#include "platform/registry.h"

namespace corvane {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryAccessor> CreateAccessor() override;
};

}  // namespace corvane
