#include "removal/backup_place.h"

#include <algorithm>
#include <vector>

#include "monitor/autostart_locations.h"
#include "monitor/kind_scan.h"
#include "monitor/located_entry.h"
#include "platform/case_fold.h"
#include "platform/event_subscription.h"
#include "platform/registry.h"

namespace corvane {

namespace {

// Located by one of its row's keys, in a view the row reads (a value name
// split off at a backslash names no key of the row), and a subkey by a plain name.
bool AtPlaceOfRow(const LocatedEntry& item) {
  if (item.place == nullptr) return false;
  const auto views = ViewsOf(*item.place);
  switch (item.kind->reads) {
    case Reads::kValueNames:
      return std::find(views.begin(), views.end(), item.key_path) != views.end();
    case Reads::kSubkeys:
      return !item.name.empty() && item.name.find('\\') == std::string::npos &&
             std::find(views.begin(), views.end(), item.key_path) != views.end();
    default:
      return true;  // matched against the row's views by Locate itself
  }
}

bool SameValue(const ValueBackup& value, RegistryRoot root, const std::string& key_path,
               const std::string& name) {
  return value.root == root && value.key_path == key_path && value.name == name;
}

bool FitsValue(const LocatedEntry& item, const ValueBackup& value) {
  const auto& kind = *item.kind;
  if ((kind.removal == Removal::kDeleteValue || kind.removal == Removal::kEmptyValue ||
       kind.removal == Removal::kCutListItem) &&
      SameValue(value, item.root, item.key_path, item.name)) {
    return true;
  }
  if (kind.removal == Removal::kDisableService &&
      SameValue(value, item.root, item.RegistryPath(), kind.counted_when)) {
    return true;
  }
  const auto command = kind.command_can_change ? CommandValueOf(item) : std::nullopt;
  return command && SameValue(value, command->root, command->key_path, command->name);
}

// Every kept key below the deleted one by a path of plain names, parents
// first, the deleted key itself first of all, no deeper than Windows nests.
// The names of a path between its backslashes, empty ones included.
std::vector<std::string> NamesOf(const std::string& path) {
  std::vector<std::string> names;
  for (std::size_t start = 0;;) {
    const auto end = path.find('\\', start);
    names.push_back(path.substr(start, end - start));
    if (end == std::string::npos) return names;
    start = end + 1;
  }
}

bool FitsKey(const LocatedEntry& item, const KeyBackup& key) {
  if (item.kind->removal != Removal::kDeleteKeyTree || key.root != item.root ||
      key.parent != item.key_path || key.name != item.name || key.keys.empty() ||
      !key.keys.front().path.empty()) {
    return false;
  }
  for (std::size_t at = 1; at < key.keys.size(); ++at) {
    const auto names = NamesOf(key.keys[at].path);
    if (names.size() > static_cast<std::size_t>(kDeepestRegistryKey) ||
        std::any_of(names.begin(), names.end(), [](const auto& name) { return name.empty(); })) {
      return false;
    }
  }
  return true;
}

bool FitsFile(const Environment& environment, const LocatedEntry& item, const std::string& path,
              bool rule_applies) {
  return rule_applies && path == item.name && IsFileOfRow(*item.kind, environment, path);
}

bool FitsIni(const Environment& environment, const LocatedEntry& item, const std::string& path) {
  const auto& kind = *item.kind;
  if (kind.removal != Removal::kCutIniValue || kind.ini_lines.empty()) return false;
  const auto file =
      environment.Get(locations::kWindowsDirectoryVariable) + '\\' + kind.ini_lines.front().file;
  return FoldCase(path) == FoldCase(file);
}

// A task's path is "\" and plain names: no empty name, no "." or "..". A
// subscription's definition must be readable and carry the name.
bool IsLibraryItem(Library library, const std::string& path, const std::string& definition) {
  if (library == Library::kEventSubscriptions) {
    const auto subscription = ParseSubscription(definition);
    return subscription && SubscriptionName(*subscription) == path;
  }
  if (path.size() < 2 || path[0] != '\\') return false;
  const auto names = NamesOf(path.substr(1));
  return std::none_of(names.begin(), names.end(), [](const std::string& name) {
    return name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos;
  });
}

}  // namespace

bool BackupFitsEntry(const Environment& environment, const std::string& entry,
                     const BackupBody& body) {
  const auto item = Locate(entry);
  if (!item) return false;
  if (!item->kind->keys.empty() && !AtPlaceOfRow(*item)) return false;
  struct {
    const Environment& environment;
    const LocatedEntry& item;
    bool operator()(const ValueBackup& b) { return FitsValue(item, b); }
    bool operator()(const KeyBackup& b) { return FitsKey(item, b); }
    bool operator()(const MovedFileBackup& b) {
      return FitsFile(environment, item, b.path, item.kind->removal == Removal::kMoveFile);
    }
    bool operator()(const FileBytesBackup& b) {
      // A changed shortcut written back.
      return FitsFile(environment, item, b.path,
                      item.kind->command_can_change && item.kind->reads == Reads::kFolderFiles);
    }
    bool operator()(const IniLinesBackup& b) { return FitsIni(environment, item, b.path); }
    bool operator()(const LibraryBackup& b) {
      return item.kind->removal == Removal::kDeleteFromLibrary && item.kind->library == b.library &&
             b.path == item.name && IsLibraryItem(b.library, b.path, b.definition);
    }
  } fits{environment, *item};
  return std::visit(fits, body);
}

}  // namespace corvane
