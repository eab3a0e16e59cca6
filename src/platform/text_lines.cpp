#include "platform/file_system.h"

namespace corvane {

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

std::string FileSystem::ProgramDirectory() const {
  const auto path = ProgramPath();
  return path.substr(0, path.rfind('\\') + 1);
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace corvane
