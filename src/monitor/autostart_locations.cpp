#include "monitor/autostart_locations.h"

namespace corvane::locations {

std::vector<std::string> ViewsOf(char root_code, const std::string& key_path) {
  const std::string software = std::string(kSoftwareKey) + '\\';
  if (root_code != kLocalMachineRootCode || key_path.compare(0, software.size(), software) != 0) {
    return {key_path};
  }
  return {key_path, kSoftwareKey + (kThirtyTwoBitViewKey + key_path.substr(software.size() - 1))};
}

const std::vector<ScannedRunKey>& ScannedRunKeys() {
  static const std::vector<ScannedRunKey> keys = [] {
    std::vector<ScannedRunKey> scanned;
    for (const auto& key : kRunKeys) {
      for (auto& path : ViewsOf(key.root_code, key.path)) {
        scanned.push_back({key.root_code, std::move(path)});
      }
    }
    return scanned;
  }();
  return keys;
}

}  // namespace corvane::locations
