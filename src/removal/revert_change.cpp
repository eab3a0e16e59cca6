#include "removal/revert_change.h"

#include "monitor/located_entry.h"
#include "platform/errors.h"
#include "removal/file_removals.h"
#include "removal/registry_places.h"

namespace corvane {

namespace {

RemovalResult RevertValue(Registry& registry, BackupKeeper& keeper, RegistryRoot root,
                          const std::string& key_path, const std::string& name,
                          const RawValue& old) {
  if (old == RawValue{}) return RemovalResult::kRefused;  // nothing remembered to write back
  if (!ValueExists(*OpenAt(registry, root, key_path, KeyAccess::kRead), name)) {
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
  const bool written =
      OpenAt(registry, root, key_path, KeyAccess::kReadWrite)->WriteRawValue(name, old);
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
  const auto item = Locate(entry);
  if (!item || !item->kind->command_can_change) return RemovalResult::kRefused;
  if (const auto place = CommandValueOf(*item)) {
    return RevertValue(platform.registry, keeper, place->root, place->key_path, place->name,
                       old.value);
  }
  return RevertShortcut(platform.files, keeper, item->name, old.file_bytes);
}

}  // namespace corvane
