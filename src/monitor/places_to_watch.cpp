#include "monitor/places_to_watch.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "monitor/autostart_locations.h"
#include "monitor/entry_kinds.h"
#include "monitor/kind_scan.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"

namespace corvane {

namespace {

void AddRows(std::string& rows, const std::string& more) {
  for (const char code : more) {
    if (rows.find(code) == std::string::npos) rows += code;
  }
}

// Folders have one root: the drive is part of the path.
int RootOf(const WatchedKey& key) { return static_cast<int>(key.root); }
int RootOf(const WatchedFolder&) { return -1; }

// Windows compares both kinds of path without regard to letter case.
template <typename Place>
bool Same(const Place& a, const Place& b) {
  return RootOf(a) == RootOf(b) && FoldCase(a.path) == FoldCase(b.path);
}

template <typename Place>
bool Below(const Place& place, const Place& parent) {
  const auto path = FoldCase(place.path);
  const auto above = FoldCase(parent.path);
  return RootOf(place) == RootOf(parent) && path.size() > above.size() &&
         path[above.size()] == '\\' && path.compare(0, above.size(), above) == 0;
}

// A place listed again adds its rows, and its subtree when it wants one.
template <typename Place>
void Add(std::vector<Place>& places, Place place) {
  for (auto& other : places) {
    if (!Same(other, place)) continue;
    other.subtree = other.subtree || place.subtree;
    AddRows(other.rows, place.rows);
    return;
  }
  places.push_back(std::move(place));
}

template <typename Place>
void FoldIntoSubtrees(std::vector<Place>& places) {
  for (std::size_t at = 0; at < places.size();) {
    const auto covering = std::find_if(places.begin(), places.end(), [&](const Place& parent) {
      return parent.subtree && Below(places[at], parent);
    });
    if (covering == places.end()) {
      ++at;
      continue;
    }
    AddRows(covering->rows, places[at].rows);
    places.erase(places.begin() + static_cast<std::ptrdiff_t>(at));
  }
}

// The deepest key at or above both paths, in the letters of `a`; "" when
// they share nothing below the root.
std::string CommonParent(const std::string& a, const std::string& b) {
  const auto folded_a = FoldCase(a) + '\\';
  const auto folded_b = FoldCase(b) + '\\';
  std::size_t common = 0;
  for (std::size_t at = 1; at < folded_a.size() && at < folded_b.size(); ++at) {
    if (folded_a[at] != folded_b[at]) break;
    if (folded_a[at] == '\\') common = at;
  }
  return a.substr(0, common);
}

void FoldKeysInto(std::vector<WatchedKey>& keys, std::size_t limit) {
  while (keys.size() > limit) {
    std::size_t first = 0, second = 0;
    std::string parent;
    std::ptrdiff_t depth = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      for (std::size_t j = i + 1; j < keys.size(); ++j) {
        if (keys[i].root != keys[j].root) continue;
        auto common = CommonParent(keys[i].path, keys[j].path);
        const auto common_depth = std::count(common.begin(), common.end(), '\\');
        if (common_depth <= depth) continue;
        first = i;
        second = j;
        parent = std::move(common);
        depth = common_depth;
      }
    }
    if (parent.empty()) return;  // only keys right below the roots: nothing to fold into
    WatchedKey merged{keys[first].root, parent, true, keys[first].rows};
    AddRows(merged.rows, keys[second].rows);
    std::vector<WatchedKey> folded;
    for (std::size_t at = 0; at < keys.size(); ++at) {
      if (at == first) Add(folded, merged);
      if (at != first && at != second) Add(folded, std::move(keys[at]));
    }
    FoldIntoSubtrees(folded);
    keys = std::move(folded);
  }
}

// Only a full path: one made from an unset variable names no real folder.
bool IsFullPath(const std::string& path) {
  const bool drive = path.size() > 2 && path[1] == ':' && path[2] == '\\';
  return drive || path.rfind("\\\\", 0) == 0;
}

}  // namespace

WatchedPlaces FoldPlaces(WatchedPlaces places, std::size_t limit) {
  WatchedPlaces folded;
  folded.unsignaled_rows = std::move(places.unsignaled_rows);
  for (auto& key : places.keys) Add(folded.keys, std::move(key));
  for (auto& folder : places.folders) Add(folded.folders, std::move(folder));
  FoldIntoSubtrees(folded.keys);
  FoldIntoSubtrees(folded.folders);
  const auto folders = folded.folders.size();
  FoldKeysInto(folded.keys, limit > folders ? limit - folders : 0);
  return folded;
}

WatchedPlaces PlacesToWatch(const Environment& environment, const std::string& task_store) {
  WatchedPlaces places;
  const auto add_folder = [&places](const std::string& path, bool subtree, char code) {
    if (IsFullPath(path)) places.folders.push_back({path, subtree, std::string(1, code)});
  };
  for (const auto& kind : EntryKinds()) {
    const std::string code(1, kind.type_code);
    for (const auto& place : kind.keys) {
      for (const auto& view : ViewsOf(place)) {
        places.keys.push_back({RootOfCode(place.root_code), view, place.subtree, code});
      }
    }
    for (const auto& folder : FolderPaths(kind, environment)) {
      add_folder(folder, false, kind.type_code);
    }
    if (!kind.ini_lines.empty()) {
      add_folder(environment.Get(locations::kWindowsDirectoryVariable), false, kind.type_code);
    }
    // Subscriptions have no place that tells of a change: the tick finds them.
    if (kind.reads == Reads::kLibrary && kind.library == Library::kTasks) {
      add_folder(task_store, true, kind.type_code);
      places.unsignaled_rows += kind.type_code;
    }
  }
  return FoldPlaces(std::move(places), kMostWatchedPlaces);
}

}  // namespace corvane
