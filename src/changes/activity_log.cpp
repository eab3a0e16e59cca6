#include "changes/activity_log.h"

#include "platform/errors.h"
#include "platform/unicode.h"
#include "texts.h"

namespace corvane {

std::string ComposeLogLine(const Clock& clock, const std::string& message) {
  const auto now = clock.Now();
  return now.date + ' ' + now.time + texts::kLogTimeSeparator + message;
}

void ReportDecision(const Platform& platform, Decision decision, DecidedEntry entry) {
  if (platform.event_log != nullptr) platform.event_log->Report(decision, entry);
}

void WriteLog(FileSystem& files, const std::string& log, const std::string& line) {
  // Logging is on exactly while the file exists; the program never creates it.
  if (!files.FileExists(log)) return;
  try {
    files.AppendLine(log, Printable(line));
  } catch (const InOutError&) {
    // A locked or read-only log loses the line; the removal has happened all the same.
  }
}

std::vector<std::string> LoadLog(const FileSystem& files, const std::string& log) {
  std::string text;
  try {
    text = files.ReadAll(log);
  } catch (const InOutError&) {
    return {};
  }
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(DecodeText(files, line));
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(DecodeText(files, line));
  return lines;
}

}  // namespace corvane
