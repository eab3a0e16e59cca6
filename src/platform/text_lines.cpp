#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/unicode.h"
#include "texts.h"

namespace corvane {
namespace {

// "C:\WINDOWS\win.ini.cv" numbered 2 is "C:\WINDOWS\win.ini.2.cv".
std::string NumberedPath(const std::string& path, int number) {
  const auto slash = path.rfind('\\');
  const auto dot = path.rfind('.');
  const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const auto stem_end = has_extension ? dot : path.size();
  return path.substr(0, stem_end) + '.' + std::to_string(number) + path.substr(stem_end);
}

}  // namespace

std::vector<std::string> SplitTextLines(const std::string& bytes) {
  constexpr char kEndOfFile = '\x1A';
  std::vector<std::string> lines;
  std::string line;
  bool line_started = false;
  for (const char c : bytes) {
    if (c == kEndOfFile) break;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      line_started = false;
    } else {
      line_started = true;
      if (c != '\r') line += c;
    }
  }
  // A last line without its LF still counts, unless nothing stands on it.
  if (line_started) lines.push_back(line);
  return lines;
}

const char* MissingLineEnd(char last) {
  if (last == '\n') return "";
  return last == '\r' ? "\n" : "\r\n";
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::string DecodeText(const FileSystem& files, const std::string& line) {
  return IsValidUtf8(line) ? line : files.DecodeAnsi(line);
}

std::vector<std::string> ReadTextLines(const FileSystem& files, const std::string& path) {
  auto lines = SplitTextLines(files.ReadAll(path));
  for (auto& line : lines) line = DecodeText(files, line);
  return lines;
}

std::vector<std::string> FileSystem::FindFiles(const std::string& pattern) const {
  std::vector<std::string> names;
  for (auto& found : ListFiles(pattern)) names.push_back(std::move(found.name));
  return names;
}

std::string FileSystem::ProgramDirectory() const {
  const auto path = ProgramPath();
  return path.substr(0, path.rfind('\\') + 1);
}

std::string FileSystem::WriteNewFile(const std::string& wanted_path, const std::string& bytes,
                                     Durability durability) {
  // Enough for every leftover of earlier runs; beyond that something is wrong.
  constexpr int kLastNumber = 99;
  if (CreateNewFile(wanted_path, bytes, durability)) return wanted_path;
  for (int number = 2; number <= kLastNumber; ++number) {
    const auto path = NumberedPath(wanted_path, number);
    if (CreateNewFile(path, bytes, durability)) return path;
  }
  throw InOutError(FormatText(texts::kUnableToWriteFile, wanted_path));
}

void FileSystem::ReplaceWhole(const std::string& path, const std::string& bytes,
                              const std::string& copy_suffix) {
  const auto copy = WriteNewFile(path + copy_suffix, bytes);
  try {
    PutInPlaceOf(copy, path);
  } catch (const InOutError&) {
    RemoveFile(copy);  // ours: made just now under a name no file had
    throw;
  }
}

}  // namespace corvane
