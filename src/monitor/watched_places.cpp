#include "monitor/watched_places.h"

#include <algorithm>

#include "monitor/autostart_locations.h"
#include "monitor/file_scanners.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"

namespace corvane {

namespace {

class PlaceList {
 public:
  // The key in each of its views.
  void AddKey(char root_code, const std::string& path, bool subtree) {
    for (auto& view : locations::ViewsOf(root_code, path)) {
      const WatchedKey key{RootOfCode(root_code), std::move(view), subtree};
      const auto same = [&key](const WatchedKey& other) {
        return other.root == key.root && FoldCase(other.path) == FoldCase(key.path);
      };
      if (std::none_of(places_.keys.begin(), places_.keys.end(), same)) {
        places_.keys.push_back(key);
      }
    }
  }
  // Only a full path: one made from an unset variable names no real folder.
  void AddFolder(const std::string& path, bool subtree) {
    const bool drive = path.size() > 2 && path[1] == ':' && path[2] == '\\';
    if (!drive && path.rfind("\\\\", 0) != 0) return;
    const auto same = [&path](const WatchedFolder& other) {
      return FoldCase(other.path) == FoldCase(path);
    };
    if (std::none_of(places_.folders.begin(), places_.folders.end(), same)) {
      places_.folders.push_back({path, subtree});
    }
  }
  WatchedPlaces Take() { return std::move(places_); }

 private:
  WatchedPlaces places_;
};

}  // namespace

WatchedPlaces PlacesToWatch(const Environment& environment, const std::string& task_store) {
  using namespace locations;
  constexpr char kMachine = kLocalMachineRootCode;
  PlaceList list;
  for (const auto& key : kRunKeys) list.AddKey(key.root_code, key.path, false);
  list.AddKey(kStartPageRootCode, kStartPageKey, false);
  list.AddKey(kMachine, kWinlogonKey, false);
  list.AddKey(kCurrentUserRootCode, kWinlogonKey, false);
  list.AddKey(kMachine, kImageOptionsKey, true);
  list.AddKey(kMachine, kWindowsKey, false);
  list.AddKey(kMachine, kServicesKey, true);
  list.AddKey(kMachine, kBrowserHelpersKey, true);

  for (const auto& folder : StartupFolderPaths(environment)) list.AddFolder(folder, false);
  list.AddFolder(environment.Get(kWindowsDirectoryVariable), false);
  list.AddFolder(task_store, true);
  return list.Take();
}

}  // namespace corvane
