// The places whose changes start a poll cycle at once: every key and folder
// that the scanners read, as Windows can be asked to watch them.
#pragma once

#include <string>
#include <vector>

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

}  // namespace corvane
