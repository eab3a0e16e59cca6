#include "removal/revert_change.h"

#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "platform/errors.h"
#include "removal/file_removals.h"
#include "removal/registry_places.h"
#include "removal/registry_removals.h"

namespace corvane {

namespace {

RemovalResult RevertValue(Registry& registry, BackupKeeper& keeper, RegistryRoot root,
                          const std::string& key_path, const std::string& name,
                          const RawValue& old) {
  if (old == RawValue{}) return RemovalResult::kRefused;  // nothing remembered to write back
  if (!OpenAt(registry, root, key_path, KeyAccess::kRead)->ValueExists(name)) {
    return RemovalResult::kAlreadyGone;
  }
  const auto now = ReadRawAt(registry, root, key_path, name);
  if (!now) return RemovalResult::kRefused;
  if (*now == old) return RemovalResult::kAlreadyGone;
  ValueLeft left;
  left.kind = ValueLeft::Kind::kRaw;
  left.raw = old;
  if (!KeepBackup(keeper, ValueBackup{root, key_path, name, *now, left})) {
    return RemovalResult::kRefused;
  }
  bool written = true;
  try {
    OpenAt(registry, root, key_path, KeyAccess::kReadWrite)->WriteRawValue(name, old);
  } catch (const RegistryError&) {
    written = false;
  }
  if (ReadRawAt(registry, root, key_path, name) != old) {
    return Settle(keeper, RemovalResult::kRefused);
  }
  return Settle(keeper, written ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone);
}

RemovalResult RevertShortcut(FileSystem& files, BackupKeeper& keeper, const std::string& path,
                             const std::string& old) {
  const auto read = [&files, &path]() -> std::optional<std::string> {
    try {
      return files.ReadAll(path);
    } catch (const InOutError&) {
      return std::nullopt;
    }
  };
  if (old.empty()) return RemovalResult::kRefused;  // nothing remembered to write back
  if (!files.FileExists(path)) return RemovalResult::kAlreadyGone;
  const auto now = read();
  if (!now) return RemovalResult::kRefused;
  if (*now == old) return RemovalResult::kAlreadyGone;
  if (!KeepBackup(keeper, FileBytesBackup{path, *now, old})) return RemovalResult::kRefused;
  const bool written = ReplaceFileBytes(files, path, old);
  if (read() != old) return Settle(keeper, RemovalResult::kRefused);
  return Settle(keeper, written ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone);
}

}  // namespace

RemovalResult RevertChange(Platform& platform, BackupKeeper& keeper, const std::string& entry,
                           const StartedCommand& old) {
  if (entry.empty()) return RemovalResult::kRefused;
  const auto rest = entry.substr(1);
  switch (entry[0]) {
    case entry_type::kLocalMachineRunValue:
    case entry_type::kCurrentUserRunValue: {
      const auto [key_path, value_name] = LocateRunValue(entry);
      return RevertValue(platform.registry, keeper, RootOfCode(entry[0]), key_path, value_name,
                         old.value);
    }
    case entry_type::kService:
      return RevertValue(platform.registry, keeper, RegistryRoot::kLocalMachine,
                         std::string(locations::kServicesKey) + '\\' + rest,
                         locations::kServiceImagePathValue, old.value);
    case entry_type::kStartupFolderFile:
      return RevertShortcut(platform.files, keeper, rest, old.file_bytes);
    default:
      return RemovalResult::kRefused;  // no other kind remembers its command
  }
}

}  // namespace corvane
