// The places whose changes start a poll cycle at once: every key and folder
// that the scanners read, as Windows can be asked to watch them, each with
// the rows of the table of places (by type code) that a change there
// concerns.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace corvane {

struct WatchedKey {
  RegistryRoot root;
  std::string path;  // from the root, with a leading backslash
  bool subtree;      // changes below the key count too
  std::string rows = {};  // type codes of the rows that read at or below the key
};

struct WatchedFolder {
  std::string path;  // full path, no trailing backslash
  bool subtree;
  std::string rows = {};
};

struct WatchedPlaces {
  std::vector<WatchedKey> keys;
  std::vector<WatchedFolder> folders;
  // Rows whose changes no watched place tells dependably: rescanned with
  // the rows of every change.
  std::string unsignaled_rows = {};
};

}  // namespace corvane
