#include "removal/file_removals.h"

#include <algorithm>

#include "monitor/autostart_locations.h"
#include "platform/errors.h"
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

// Writes the edited bytes under a new name beside the file, then puts that
// copy in the file's place; the copy goes again when that fails.
bool Replace(FileSystem& files, const std::string& path, const std::string& bytes) {
  try {
    const auto copy = files.WriteNewFile(path + texts::kIniCopySuffix, bytes);
    try {
      files.PutInPlaceOf(copy, path);
    } catch (const InOutError&) {
      files.RemoveFile(copy);  // ours: made just now under a name no file had
      throw;
    }
    return true;
  } catch (const InOutError&) {
    return false;
  }
}

}  // namespace

RemovalResult RemoveStartupFolderFile(FileSystem& files, const std::string& path) {
  if (!files.FileExists(path)) return RemovalResult::kAlreadyGone;
  const bool removed = files.RemoveFile(path);
  if (files.FileExists(path)) return RemovalResult::kRefused;
  return removed ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone;
}

RemovalResult RemoveIniStartup(FileSystem& files, const Environment& environment,
                               const std::string& ini_name, const std::string& recorded_line) {
  const auto equals = recorded_line.find('=');
  if (equals == std::string::npos || equals + 1 == recorded_line.size()) {
    return RemovalResult::kAlreadyGone;
  }
  const auto path = IniPath(environment, ini_name);
  std::string bytes;
  if (!ReadIfThere(files, path, bytes)) {
    return files.FileExists(path) ? RemovalResult::kRefused : RemovalResult::kAlreadyGone;
  }
  const auto stripped = StripIniEntry(files, bytes, recorded_line);
  if (stripped == bytes) return RemovalResult::kAlreadyGone;
  const bool replaced = Replace(files, path, stripped);

  // Still in place while any line reads as the recorded one (or the file
  // can no longer be read to tell).
  std::string after;
  const bool still_there =
      ReadIfThere(files, path, after) ? StripIniEntry(files, after, recorded_line) != after
                                      : files.FileExists(path);
  if (still_there) return RemovalResult::kRefused;
  return replaced ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone;
}

std::string IniLineLeftByRemoval(const std::string& recorded_line) {
  return recorded_line.substr(0, recorded_line.find('=') + 1);
}

std::string StripIniEntry(const FileSystem& files, const std::string& bytes,
                          const std::string& recorded_line) {
  // Readers stop at Ctrl-Z; what follows is no line of the file for them.
  const auto end = std::min(bytes.find('\x1A'), bytes.size());
  std::string result;
  result.reserve(bytes.size());
  for (std::size_t start = 0; start < end;) {
    const auto line_feed = bytes.find('\n', start);
    const auto line_end = std::min(line_feed, end);
    const auto raw = bytes.substr(start, line_end - start);
    std::string text;
    for (const char c : raw) {
      if (c != '\r') text += c;
    }
    const auto equals = raw.find('=');
    if (equals != std::string::npos && files.DecodeAnsi(text) == recorded_line) {
      result += raw.substr(0, equals + 1);
      for (std::size_t at = equals + 1; at < raw.size(); ++at) {
        if (raw[at] == '\r') result += '\r';  // a lone CR is no part of the value
      }
    } else {
      result += raw;
    }
    if (line_end == end) break;
    result += '\n';
    start = line_end + 1;
  }
  result += bytes.substr(end);
  return result;
}

}  // namespace corvane
