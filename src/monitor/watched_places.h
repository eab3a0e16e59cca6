// The places whose changes start a poll cycle at once: every key and folder
// that the scanners read, as Windows can be asked to watch them.
#pragma once

#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/registry.h"

namespace corvane {

struct WatchedKey {
  RegistryRoot root;
  std::string path;  // from the root, with a leading backslash
  bool subtree;      // changes below the key count too
};

struct WatchedFolder {
  std::string path;  // full path, no trailing backslash
  bool subtree;
};

struct WatchedPlaces {
  std::vector<WatchedKey> keys;
  std::vector<WatchedFolder> folders;
};

// The Run-type keys, the start page's key, Winlogon, Image File Execution
// Options (with its subtree, for the debuggers of its subkeys), the Windows
// key, the Services key and the browser helper objects' key (with their
// subtrees), each machine key under Software also in its 32-bit view; the
// Startup folders, the Windows folder (for win.ini and system.ini) and the
// task store with its subtree, unless `task_store` is "". Each place is
// listed once.
WatchedPlaces PlacesToWatch(const Environment& environment, const std::string& task_store);

}  // namespace corvane
