#pragma once

#include <string>

namespace corvane {

// Folders that the shell names, wherever this Windows keeps them.
enum class ShellFolder {
  kStartup,        // the current user's Startup folder
  kCommonStartup,  // the Startup folder of all users
  kDocuments,      // the current user's Documents folder
};

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value, or "" when it is not set, empty or cannot be read.
  virtual std::string Get(const std::string& name) const = 0;
  // The folder's full path without a trailing backslash, or "" when this
  // Windows names none.
  virtual std::string ShellFolderPath(ShellFolder folder) const = 0;
};

}  // namespace corvane
