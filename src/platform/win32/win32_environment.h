// Environment variables of the running process, and the shell's folders.
#pragma once

#include <string>

#include "platform/environment.h"

namespace corvane {

class Win32Environment : public Environment {
 public:
  std::string Get(const std::string& name) const override;
  std::string ShellFolderPath(ShellFolder folder) const override;
};

}  // namespace corvane
