#include "removal/entry_removal.h"

#include <algorithm>

#include "monitor/autostart_locations.h"
#include "monitor/located_entry.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"
#include "removal/file_removals.h"
#include "removal/registry_places.h"

namespace corvane {

namespace {

// The one rule of every removal: what the fresh look finds decides; the
// call's own result tells a removal from an item that went by itself.
RemovalResult Outcome(bool call_succeeded, bool still_in_place) {
  if (still_in_place) return RemovalResult::kRefused;
  return call_succeeded ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone;
}

// Keeps the value as it is now, with what the removal will leave in its
// place; false when it cannot be read or its backup cannot be written, and
// then nothing may be removed.
bool KeepValue(Registry& registry, BackupKeeper& keeper, RegistryRoot root,
               const std::string& key_path, const std::string& name, ValueLeft left) {
  const auto before = ReadRawAt(registry, root, key_path, name);
  return before && KeepBackup(keeper, ValueBackup{root, key_path, name, *before, std::move(left)});
}

bool KeyExists(Registry& registry, RegistryRoot root, const std::string& key_path) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(root);
  return accessor->OpenKey(key_path, false, KeyAccess::kRead);
}

// Whether the value still starts what the entry names: for an entry that
// carries data, the value holds that data (another type no longer does);
// else the value is there.
bool ValueInPlace(Registry& registry, const LocatedEntry& item) {
  const auto key = OpenAt(registry, item.root, item.key_path, KeyAccess::kRead);
  switch (item.kind->reads) {
    case Reads::kValueNames:
    case Reads::kNamedCommands:
    case Reads::kSubkeyValueNames:
      return ValueExists(*key, item.name);
    case Reads::kMultiStringItems: {
      const auto raw = key->ReadRawValue(item.name);
      const auto items = raw ? ItemsOfRawValue(*raw) : std::vector<std::string>();
      return std::find(items.begin(), items.end(), item.data) != items.end();
    }
    default:
      return ReadText(*key, item.name) == item.data;
  }
}

// What declining the value writes in its place; no value: it is deleted.
// An empty default stands for one that cannot be known.
std::optional<std::string> Replacement(const LocatedEntry& item, const Environment& environment) {
  if (item.kind->removal == Removal::kEmptyValue) return std::string();
  if (item.value == nullptr || item.value->windows_default == nullptr) return std::nullopt;
  if (!item.value->default_in_windows_folder) return std::string(item.value->windows_default);
  const auto windows = environment.Get(locations::kWindowsDirectoryVariable);
  return windows.empty() ? std::string() : windows + item.value->windows_default;
}

ValueLeft LeftAs(const std::optional<std::string>& replacement) {
  ValueLeft left;
  if (!replacement) return left;
  left.kind = ValueLeft::Kind::kText;
  left.text = *replacement;
  return left;
}

RemovalResult RemoveValue(Registry& registry, const Environment& environment, BackupKeeper& keeper,
                          const LocatedEntry& item) {
  if (!ValueInPlace(registry, item)) return RemovalResult::kAlreadyGone;
  const auto replacement = Replacement(item, environment);
  if (replacement && item.kind->removal == Removal::kDeleteValue) {
    // Windows would not start with a guessed default.
    if (replacement->empty()) return RemovalResult::kRefused;
    if (FoldCase(*replacement) == FoldCase(item.data)) return RemovalResult::kAlreadyGone;
  }
  if (!KeepValue(registry, keeper, item.root, item.key_path, item.name, LeftAs(replacement))) {
    return RemovalResult::kRefused;
  }
  const auto key = OpenAt(registry, item.root, item.key_path, KeyAccess::kReadWrite);
  const bool done =
      replacement ? WriteText(*key, item.name, *replacement) : key->DeleteValue(item.name);
  return Settle(keeper, Outcome(done, ValueInPlace(registry, item)));
}

// The item is cut out wherever it stands; the other items keep their order.
RemovalResult CutListItem(Registry& registry, BackupKeeper& keeper, const LocatedEntry& item) {
  if (!ValueInPlace(registry, item)) return RemovalResult::kAlreadyGone;
  const auto before = ReadRawAt(registry, item.root, item.key_path, item.name);
  if (!before) return RemovalResult::kRefused;
  auto items = ItemsOfRawValue(*before);
  items.erase(std::remove(items.begin(), items.end(), item.data), items.end());
  ValueLeft left;
  left.kind = ValueLeft::Kind::kRaw;
  left.raw = RawMultiStringValue(items);
  if (!KeepBackup(keeper, ValueBackup{item.root, item.key_path, item.name, *before, left})) {
    return RemovalResult::kRefused;
  }
  const bool written = OpenAt(registry, item.root, item.key_path, KeyAccess::kReadWrite)
                           ->WriteRawValue(item.name, left.raw);
  return Settle(keeper, Outcome(written, ValueInPlace(registry, item)));
}

bool StartsByItself(Registry& registry, const LocatedEntry& item) {
  const auto key = OpenAt(registry, item.root, item.RegistryPath(), KeyAccess::kRead);
  return CountedByNumber(*item.kind, ReadNumber(*key, item.kind->counted_when));
}

RemovalResult DisableService(Registry& registry, BackupKeeper& keeper, const LocatedEntry& item) {
  if (!StartsByItself(registry, item)) return RemovalResult::kAlreadyGone;
  const auto& kind = *item.kind;
  ValueLeft disabled;
  disabled.kind = ValueLeft::Kind::kNumber;
  disabled.number = kind.disabled_number;
  const auto path = item.RegistryPath();
  if (!KeepValue(registry, keeper, item.root, path, kind.counted_when, disabled)) {
    return RemovalResult::kRefused;
  }
  const bool written = WriteNumber(*OpenAt(registry, item.root, path, KeyAccess::kReadWrite),
                                   kind.counted_when, kind.disabled_number);
  return Settle(keeper, Outcome(written, StartsByItself(registry, item)));
}

RemovalResult DeleteKeyTree(Registry& registry, BackupKeeper& keeper, const LocatedEntry& item) {
  const auto key = item.RegistryPath();
  if (!KeyExists(registry, item.root, key)) return RemovalResult::kAlreadyGone;
  const auto tree = ReadKeyTree(registry, item.root, key);
  if (!tree || !KeepBackup(keeper, KeyBackup{item.root, item.key_path, item.name, *tree})) {
    return RemovalResult::kRefused;
  }
  const bool deleted =
      OpenAt(registry, item.root, item.key_path, KeyAccess::kReadWrite)->DeleteKey(item.name);
  const auto result = Outcome(deleted, KeyExists(registry, item.root, key));
  // A tree deleted in part keeps its backup: what went can still be seen.
  if (result == RemovalResult::kRefused && ReadKeyTree(registry, item.root, key) != tree) {
    return result;
  }
  return Settle(keeper, result);
}

RemovalResult DeleteFromLibrary(const Platform& platform, BackupKeeper& keeper,
                                const LocatedEntry& item) {
  auto& library = platform.LibraryOf(item.kind->library);
  const auto& name = item.name;
  if (library.Has(name) == std::optional<bool>(false)) return RemovalResult::kAlreadyGone;
  const auto definition = library.Definition(name);
  if (!definition || !KeepBackup(keeper, LibraryBackup{item.kind->library, name, *definition})) {
    return RemovalResult::kRefused;
  }
  const bool deleted = library.Delete(name);
  // A library that cannot be reached afterwards leaves the item in place.
  if (library.Has(name) != std::optional<bool>(false)) {
    return Settle(keeper, RemovalResult::kRefused);
  }
  return Settle(keeper, deleted ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone);
}

}  // namespace

RemovalResult RemoveEntry(Platform& platform, BackupKeeper& keeper, const std::string& entry) {
  const auto item = Locate(entry);
  if (!item) return RemovalResult::kRefused;
  switch (item->kind->removal) {
    case Removal::kDeleteValue:
    case Removal::kEmptyValue:
      return RemoveValue(platform.registry, platform.environment, keeper, *item);
    case Removal::kCutListItem:
      return CutListItem(platform.registry, keeper, *item);
    case Removal::kDisableService:
      return DisableService(platform.registry, keeper, *item);
    case Removal::kDeleteKeyTree:
      return DeleteKeyTree(platform.registry, keeper, *item);
    case Removal::kMoveFile:
      return RemoveStartupFolderFile(platform.files, keeper, item->name);
    case Removal::kCutIniValue:
      return RemoveIniStartup(platform.files, platform.environment, keeper,
                              item->kind->ini_lines.front().file, item->name);
    case Removal::kDeleteFromLibrary:
      return DeleteFromLibrary(platform, keeper, *item);
  }
  return RemovalResult::kRefused;
}

std::optional<std::string> EntryLeftByRemoval(const Environment& environment,
                                              const std::string& entry) {
  const auto item = Locate(entry);
  if (!item) return std::nullopt;
  if (item->kind->removal == Removal::kCutIniValue) {
    return MakeEntry(entry[0], IniLineLeftByRemoval(item->name));
  }
  if (item->kind->removal != Removal::kDeleteValue) return std::nullopt;
  const auto replacement = Replacement(*item, environment);
  // An empty value makes no entry.
  if (!replacement || replacement->empty()) return std::nullopt;
  return MakeValueWithDataEntry(entry[0], item->root_code, item->key_path, item->name,
                                *replacement);
}

}  // namespace corvane
