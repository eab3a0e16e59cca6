#include "changes/blacklist.h"

#include "platform/errors.h"
#include "texts.h"

namespace corvane {

namespace {

// Blanks and control characters (codes 0 to 32) do not count at either end.
std::string Trimmed(const std::string& text) {
  const auto counts = [](char c) { return static_cast<unsigned char>(c) > 32; };
  std::size_t first = 0, last = text.size();
  while (first < last && !counts(text[first])) ++first;
  while (last > first && !counts(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

std::string BlacklistPath(const FileSystem& files) {
  return files.ProgramDirectory() + texts::kBlacklistFile;
}

bool IsBlacklisted(const FileSystem& files, const std::string& name) {
  const auto path = BlacklistPath(files);
  if (!files.FileExists(path)) return false;
  std::vector<std::string> lines;
  try {
    lines = ReadTextLines(files, path);
  } catch (const InOutError&) {
    return false;
  }
  const auto wanted = Trimmed(name);
  for (const auto& line : lines) {
    // An empty line never matches, not even the unnamed default value.
    if (!line.empty() && Trimmed(line) == wanted) return true;
  }
  return false;
}

void AddToBlacklist(FileSystem& files, const std::string& name) {
  files.AppendLine(BlacklistPath(files), name);
}

std::vector<std::string> LoadBlacklist(const FileSystem& files) {
  const auto path = BlacklistPath(files);
  if (!files.FileExists(path)) return {};
  return ReadTextLines(files, path);
}

std::vector<std::string> WithoutSelected(const std::vector<std::string>& items, int selected) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (static_cast<int>(i) != selected) kept.push_back(items[i]);
  }
  return kept;
}

void SaveBlacklist(FileSystem& files, const std::vector<std::string>& items) {
  try {
    files.WriteLines(BlacklistPath(files), items);
  } catch (const InOutError&) {
    // The editor confirms the save all the same; nothing is reported.
  }
}

}  // namespace corvane
