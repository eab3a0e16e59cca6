#include "removal/put_back.h"

#include <optional>
#include <string>

#include "platform/case_fold.h"
#include "platform/errors.h"
#include "removal/file_removals.h"
#include "removal/registry_places.h"

namespace corvane {

namespace {

bool HoldsWhatWasLeft(Registry& registry, const ValueBackup& backup) {
  const auto now = ReadRawAt(registry, backup.root, backup.key_path, backup.name);
  const auto& left = backup.left;
  switch (left.kind) {
    case ValueLeft::Kind::kAbsent:
      return !now;
    case ValueLeft::Kind::kText:
      return now && TextOfRawValue(*now) == left.text;
    case ValueLeft::Kind::kNumber:
      return now && NumberOfRawValue(*now) == left.number;
    case ValueLeft::Kind::kRaw:
      return now == left.raw;
  }
  return false;
}

RestoreResult PutBackValue(Registry& registry, const ValueBackup& backup) {
  if (!HoldsWhatWasLeft(registry, backup)) return RestoreResult::kPlaceTaken;
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(backup.root);
  if (!accessor->OpenKey(backup.key_path, true, KeyAccess::kReadWrite) ||
      !accessor->WriteRawValue(backup.name, backup.before)) {
    return RestoreResult::kAccessDenied;
  }
  return ReadRawAt(registry, backup.root, backup.key_path, backup.name) == backup.before
             ? RestoreResult::kRestored
             : RestoreResult::kFailed;
}

RestoreResult PutBackKey(Registry& registry, const KeyBackup& backup) {
  const auto key = backup.parent + '\\' + backup.name;
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(backup.root);
  // A key there that this account may not open is there too, and must not
  // be taken for one this put-back made.
  if (accessor->OpenKey(key, false, KeyAccess::kRead)) return RestoreResult::kPlaceTaken;
  accessor->OpenKey(backup.parent, false, KeyAccess::kRead);
  for (const auto& subkey : accessor->SubkeyNames()) {
    if (FoldCase(subkey) == FoldCase(backup.name)) return RestoreResult::kPlaceTaken;
  }
  for (const auto& kept : backup.keys) {
    bool written = accessor->OpenKey(kept.path.empty() ? key : key + '\\' + kept.path, true,
                                     KeyAccess::kReadWrite);
    for (const auto& [name, value] : kept.values) {
      written = written && accessor->WriteRawValue(name, value);
    }
    if (!written) {
      // Nothing half made stays behind.
      accessor->CloseKey();
      OpenAt(registry, backup.root, backup.parent, KeyAccess::kReadWrite)->DeleteKey(backup.name);
      return RestoreResult::kAccessDenied;
    }
  }
  return accessor->OpenKey(key, false, KeyAccess::kRead) ? RestoreResult::kRestored
                                                         : RestoreResult::kFailed;
}

RestoreResult PutBackMovedFile(FileSystem& files, const BackupStore& store,
                               const MovedFileBackup& backup) {
  if (files.NameTaken(backup.path)) return RestoreResult::kPlaceTaken;
  const auto kept = store.RemovedPath(backup.kept_name);
  if (!files.FileExists(kept)) return RestoreResult::kFailed;
  try {
    files.MoveFileTo(kept, backup.path);
  } catch (const InOutError&) {
    return RestoreResult::kAccessDenied;
  }
  return files.FileExists(backup.path) ? RestoreResult::kRestored : RestoreResult::kFailed;
}

// The file's bytes; no value when it is missing, and the error of a file
// that is there but cannot be read goes up.
std::optional<std::string> Bytes(FileSystem& files, const std::string& path) {
  if (!files.FileExists(path)) return std::nullopt;
  return files.ReadAll(path);
}

RestoreResult PutBackFileBytes(FileSystem& files, const FileBytesBackup& backup) {
  try {
    if (Bytes(files, backup.path) != backup.after) return RestoreResult::kPlaceTaken;
  } catch (const InOutError&) {
    return RestoreResult::kAccessDenied;
  }
  return ReplaceFileBytes(files, backup.path, backup.before) ? RestoreResult::kRestored
                                                             : RestoreResult::kAccessDenied;
}

RestoreResult PutBackIniLines(FileSystem& files, const IniLinesBackup& backup) {
  std::optional<std::string> bytes;
  try {
    bytes = Bytes(files, backup.path);
  } catch (const InOutError&) {
    return RestoreResult::kAccessDenied;
  }
  if (!bytes) return RestoreResult::kPlaceTaken;
  auto ini = SplitIniLines(*bytes);
  for (const auto& line : backup.lines) {
    if (line.index >= ini.lines.size() || ini.lines[line.index] != line.after) {
      return RestoreResult::kPlaceTaken;
    }
    ini.lines[line.index] = line.before;
  }
  return ReplaceFileBytes(files, backup.path, JoinIniLines(ini)) ? RestoreResult::kRestored
                                                                 : RestoreResult::kAccessDenied;
}

RestoreResult PutBackLibraryItem(DefinitionLibrary& library, const LibraryBackup& backup) {
  const auto exists = library.Has(backup.path);
  if (!exists) return RestoreResult::kFailed;
  if (*exists) return RestoreResult::kPlaceTaken;
  return library.Register(backup.path, backup.definition) ? RestoreResult::kRestored
                                                          : RestoreResult::kAccessDenied;
}

}  // namespace

RestoreResult PutBackRemoval(Platform& platform, const BackupStore& store, const BackupBody& body) {
  struct {
    Platform& platform;
    const BackupStore& store;
    RestoreResult operator()(const ValueBackup& b) { return PutBackValue(platform.registry, b); }
    RestoreResult operator()(const KeyBackup& b) { return PutBackKey(platform.registry, b); }
    RestoreResult operator()(const MovedFileBackup& b) {
      return PutBackMovedFile(platform.files, store, b);
    }
    RestoreResult operator()(const FileBytesBackup& b) {
      return PutBackFileBytes(platform.files, b);
    }
    RestoreResult operator()(const IniLinesBackup& b) { return PutBackIniLines(platform.files, b); }
    RestoreResult operator()(const LibraryBackup& b) {
      return PutBackLibraryItem(platform.LibraryOf(b.library), b);
    }
  } put_back{platform, store};
  return std::visit(put_back, body);
}

}  // namespace corvane
