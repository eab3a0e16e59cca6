#include "removal/file_removals.h"

#include <algorithm>

#include "monitor/autostart_locations.h"
#include "platform/case_fold.h"
#include "platform/errors.h"
#include "removal/backup_store.h"
#include "texts.h"

namespace corvane {

namespace {

std::string IniPath(const Environment& environment, const std::string& ini_name) {
  return environment.Get(locations::kWindowsDirectoryVariable) + '\\' + ini_name;
}

// The file's bytes, or nothing when the file is gone or cannot be read.
bool ReadIfThere(const FileSystem& files, const std::string& path, std::string& bytes) {
  if (!files.FileExists(path)) return false;
  try {
    bytes = files.ReadAll(path);
    return true;
  } catch (const InOutError&) {
    return false;
  }
}

std::string FinalName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// A file that cannot be found by its name is gone only when its folder no
// longer lists it: a name Windows cannot reach by its path must not be
// taken for a file that went by itself.
RemovalResult MissingFile(const FileSystem& files, const std::string& path) {
  const auto name = FoldCase(FinalName(path));
  for (const auto& listed : files.FindFiles(path.substr(0, path.rfind('\\') + 1) + '*')) {
    if (FoldCase(listed) == name) return RemovalResult::kRefused;
  }
  return RemovalResult::kAlreadyGone;
}

std::string Applied(const std::string& bytes, const std::vector<IniLineChange>& changes) {
  auto ini = SplitIniLines(bytes);
  for (const auto& change : changes) ini.lines.at(change.index) = change.after;
  return JoinIniLines(ini);
}

}  // namespace

bool ReplaceFileBytes(FileSystem& files, const std::string& path, const std::string& bytes) {
  try {
    files.ReplaceWhole(path, bytes, texts::kIniCopySuffix);
    return true;
  } catch (const InOutError&) {
    return false;
  }
}

RemovalResult RemoveStartupFolderFile(FileSystem& files, BackupKeeper& keeper,
                                      const std::string& path) {
  if (!files.FileExists(path)) return MissingFile(files, path);
  std::string kept;
  try {
    kept = keeper.FreeRemovedPath(FinalName(path));
  } catch (const InOutError&) {
    return RemovalResult::kRefused;
  }
  if (!KeepBackup(keeper, MovedFileBackup{path, FinalName(kept)})) return RemovalResult::kRefused;
  try {
    files.MoveFileTo(path, kept);
  } catch (const InOutError&) {
    // The fresh look below tells what happened.
  }
  if (files.FileExists(path)) return Settle(keeper, RemovalResult::kRefused);
  if (files.FileExists(kept)) return Settle(keeper, RemovalResult::kRemoved);
  return Settle(keeper, MissingFile(files, path));
}

RemovalResult RemoveIniStartup(FileSystem& files, const Environment& environment,
                               BackupKeeper& keeper, const std::string& ini_name,
                               const std::string& recorded_line) {
  const auto equals = recorded_line.find('=');
  if (equals == std::string::npos || equals + 1 == recorded_line.size()) {
    return RemovalResult::kAlreadyGone;
  }
  const auto path = IniPath(environment, ini_name);
  std::string bytes;
  if (!ReadIfThere(files, path, bytes)) {
    return files.FileExists(path) ? RemovalResult::kRefused : RemovalResult::kAlreadyGone;
  }
  const auto changes = IniEntryChanges(files, bytes, recorded_line);
  if (changes.empty()) return RemovalResult::kAlreadyGone;
  if (!KeepBackup(keeper, IniLinesBackup{path, changes})) return RemovalResult::kRefused;
  const bool replaced = ReplaceFileBytes(files, path, Applied(bytes, changes));

  // Still in place while any line reads as the recorded one (or the file
  // can no longer be read to tell).
  std::string after;
  const bool still_there = ReadIfThere(files, path, after)
                               ? !IniEntryChanges(files, after, recorded_line).empty()
                               : files.FileExists(path);
  if (still_there) return Settle(keeper, RemovalResult::kRefused);
  return Settle(keeper, replaced ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone);
}

std::string IniLineLeftByRemoval(const std::string& recorded_line) {
  return recorded_line.substr(0, recorded_line.find('=') + 1);
}

IniLines SplitIniLines(const std::string& bytes) {
  // Readers stop at Ctrl-Z; what follows is no line of the file for them.
  const auto end = std::min(bytes.find('\x1A'), bytes.size());
  IniLines ini;
  for (std::size_t start = 0;;) {
    const auto line_feed = std::min(bytes.find('\n', start), end);
    ini.lines.push_back(bytes.substr(start, line_feed - start));
    if (line_feed == end) break;
    start = line_feed + 1;
  }
  ini.rest = bytes.substr(end);
  return ini;
}

std::string JoinIniLines(const IniLines& ini) {
  std::string bytes;
  for (std::size_t i = 0; i < ini.lines.size(); ++i) {
    if (i != 0) bytes += '\n';
    bytes += ini.lines[i];
  }
  return bytes + ini.rest;
}

std::vector<IniLineChange> IniEntryChanges(const FileSystem& files, const std::string& bytes,
                                           const std::string& recorded_line) {
  std::vector<IniLineChange> changes;
  const auto ini = SplitIniLines(bytes);
  for (std::size_t index = 0; index < ini.lines.size(); ++index) {
    const auto& raw = ini.lines[index];
    const auto equals = raw.find('=');
    if (equals == std::string::npos) continue;
    std::string text;
    for (const char c : raw) {
      if (c != '\r') text += c;
    }
    if (files.DecodeAnsi(text) != recorded_line) continue;
    auto left = raw.substr(0, equals + 1);
    for (std::size_t at = equals + 1; at < raw.size(); ++at) {
      if (raw[at] == '\r') left += '\r';  // a lone CR is no part of the value
    }
    if (left != raw) changes.push_back({index, raw, std::move(left)});
  }
  return changes;
}

std::string StripIniEntry(const FileSystem& files, const std::string& bytes,
                          const std::string& recorded_line) {
  return Applied(bytes, IniEntryChanges(files, bytes, recorded_line));
}

}  // namespace corvane
