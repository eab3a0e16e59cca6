#include "monitor/places_to_watch.h"

#include <algorithm>

#include "monitor/autostart_locations.h"
#include "monitor/entry_kinds.h"
#include "monitor/kind_scan.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"

namespace corvane {

namespace {

class PlaceList {
 public:
  void AddKey(RegistryRoot root, const std::string& path, bool subtree) {
    const auto same = [&](const WatchedKey& other) {
      return other.root == root && FoldCase(other.path) == FoldCase(path);
    };
    if (std::none_of(places_.keys.begin(), places_.keys.end(), same)) {
      places_.keys.push_back({root, path, subtree});
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
  PlaceList list;
  for (const auto& kind : EntryKinds()) {
    for (const auto& place : kind.keys) {
      for (const auto& view : ViewsOf(place)) {
        list.AddKey(RootOfCode(place.root_code), view, place.subtree);
      }
    }
    for (const auto& folder : FolderPaths(kind, environment)) list.AddFolder(folder, false);
    if (!kind.ini_lines.empty()) {
      list.AddFolder(environment.Get(locations::kWindowsDirectoryVariable), false);
    }
    if (kind.reads == Reads::kTasks) list.AddFolder(task_store, true);
  }
  return list.Take();
}

}  // namespace corvane
