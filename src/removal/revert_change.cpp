#include "removal/revert_change.h"

#include "monitor/located_entry.h"
#include "platform/errors.h"
#include "platform/record_fields.h"
#include "platform/sha256.h"
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

RemovalResult RevertFileBytes(FileSystem& files, BackupKeeper& keeper, const std::string& path,
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

// The bytes kept of the file when they were first seen; none when there is
// no such copy, or the copy is not those bytes any more.
std::optional<std::string> KeptCopy(const FileSystem& files, const std::string& kept_copies,
                                    const std::string& hash) {
  // A hash names the copy, and only a hash may.
  if (kept_copies.empty() || hash.size() != 64 ||
      hash.find_first_not_of("0123456789abcdef") != std::string::npos) {
    return std::nullopt;
  }
  try {
    auto bytes = files.ReadAll(kept_copies + '\\' + hash);
    if (HexBytes(Sha256(bytes)) == hash) return bytes;
  } catch (const InOutError&) {
  }
  return std::nullopt;
}

}  // namespace

RemovalResult RevertChange(Platform& platform, BackupKeeper& keeper, const std::string& entry,
                           const StartedCommand& old, const std::string& kept_copies) {
  const auto item = Locate(entry);
  if (!item || !item->kind->command_can_change) return RemovalResult::kRefused;
  if (item->kind->tracks_content) {
    const auto original = KeptCopy(platform.files, kept_copies, old.content_hash);
    if (!original) return RemovalResult::kRefused;
    return RevertFileBytes(platform.files, keeper, item->name, *original);
  }
  if (const auto place = CommandValueOf(*item)) {
    return RevertValue(platform.registry, keeper, place->root, place->key_path, place->name,
                       old.value);
  }
  return RevertFileBytes(platform.files, keeper, item->name, old.file_bytes);
}

}  // namespace corvane
