#include "changes/blacklist.h"

#include "platform/errors.h"
#include "platform/unicode.h"
#include "texts.h"

namespace corvane {

namespace {

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

// Runs a write of the list; its failure names the list and what to do.
template <typename Write>
void Writing(FileSystem& files, const std::string& list, Write write) {
  try {
    files.MakeDirectory(FolderOf(list));
    write();
  } catch (const InOutError&) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, list) + texts::kWriteAdvice);
  }
}

}  // namespace

// Blanks and control characters (codes 0 to 32) do not count at either end.
std::string BlacklistName(const std::string& line) {
  const auto counts = [](char c) { return static_cast<unsigned char>(c) > 32; };
  std::size_t first = 0, last = line.size();
  while (first < last && !counts(line[first])) ++first;
  while (last > first && !counts(line[last - 1])) --last;
  return line.substr(first, last - first);
}

bool IsBlacklisted(const FileSystem& files, const std::string& list, const std::string& name) {
  return BlacklistedNames(files, list).count(BlacklistName(name)) != 0;
}

std::set<std::string> BlacklistedNames(const FileSystem& files, const std::string& list) {
  std::set<std::string> names;
  if (!files.FileExists(list)) return names;
  try {
    for (const auto& line : ReadTextLines(files, list)) {
      // An empty line never matches, not even the unnamed default value.
      if (!line.empty()) names.insert(BlacklistName(line));
    }
  } catch (const InOutError&) {
    return {};
  }
  return names;
}

bool CanBeBlacklisted(const std::string& name) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return IsValidUtf8(name);
}

void AddToBlacklist(FileSystem& files, const std::string& list, const std::string& name) {
  if (!CanBeBlacklisted(name)) return;
  Writing(files, list, [&] {
    // Readers stop at a Ctrl-Z, so a name appended behind one would never
    // count: such a list is written anew from what they see.
    if (files.FileExists(list)) {
      const auto bytes = files.ReadAll(list);
      if (bytes.find('\x1A') != std::string::npos) {
        auto lines = SplitTextLines(bytes);
        lines.push_back(name);
        files.WriteLines(list, lines);
        return;
      }
    }
    files.AppendLine(list, name);
  });
}

std::vector<std::string> LoadBlacklist(const FileSystem& files, const std::string& list) {
  if (!files.FileExists(list)) return {};
  return ReadTextLines(files, list);
}

std::vector<std::string> WithoutSelected(const std::vector<std::string>& items, int selected) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (static_cast<int>(i) != selected) kept.push_back(items[i]);
  }
  return kept;
}

std::vector<std::string> WithAdded(const std::vector<std::string>& items,
                                   const std::string& typed) {
  const auto name = BlacklistName(typed);
  if (name.empty() || !CanBeBlacklisted(name)) return items;
  for (const auto& item : items) {
    if (BlacklistName(item) == name) return items;
  }
  auto added = items;
  added.push_back(name);
  return added;
}

void SaveBlacklist(FileSystem& files, const std::string& list,
                   const std::vector<std::string>& items) {
  Writing(files, list, [&] { files.WriteLines(list, items); });
}

}  // namespace corvane
