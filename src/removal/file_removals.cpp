#include "removal/file_removals.h"

#include <algorithm>
#include <vector>

#include "monitor/autostart_locations.h"
#include "platform/errors.h"
#include "removal/removal_steps.h"
#include "texts.h"

namespace corvane {

namespace {

// The path's last part: the text after its last "\" or ":".
std::string FinalNamePart(const std::string& path) {
  const auto separator = path.find_last_of("\\:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string IniPath(const Environment& environment, const std::string& ini_name) {
  return environment.Get(locations::kWindowsDirectoryVariable) + '\\' + ini_name;
}

// Whether the INI file still holds the line; a file that exists but cannot
// be read may still hold it.
bool IniHoldsLine(const FileSystem& files, const std::string& ini_path, const std::string& line) {
  if (!files.FileExists(ini_path)) return false;
  try {
    const auto lines = SplitTextLines(files.ReadAll(ini_path));
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  } catch (const InOutError&) {
    return true;
  }
}

}  // namespace

void RemoveStartupFolderFile(CycleContext& context, const std::string& path) {
  if (!AskToRemove(context, texts::kStartupFolderType, path)) return;
  auto& files = context.platform.files;
  files.RemoveFile(path);
  RecordOutcome(context, !files.FileExists(path),
                texts::kStartupFolderFileLogged + FinalNamePart(path) + texts::kUserInvokedSuffix);
}

void RemoveIniStartup(CycleContext& context, const std::string& ini_name,
                      const std::string& recorded_line) {
  const auto equals = recorded_line.find('=');
  const auto value_text =
      equals == std::string::npos ? recorded_line : recorded_line.substr(equals + 1);
  if (!AskToRemove(context, ini_name + texts::kIniFileTypeSuffix, value_text)) return;
  auto& files = context.platform.files;
  const auto& environment = context.platform.environment;
  StripIniEntry(files, environment, value_text, ini_name, recorded_line);
  const bool gone = !IniHoldsLine(files, IniPath(environment, ini_name), recorded_line);
  RecordOutcome(context, gone,
                texts::kIniStartupLogged + value_text + texts::kUserInvokedSuffix);
}

void StripIniEntry(FileSystem& files, const Environment& environment,
                   const std::string& value_text, const std::string& ini_name,
                   const std::string& recorded_line) {
  if (value_text.empty()) return;
  const auto ini_path = IniPath(environment, ini_name);
  const auto copy_path = ini_path + texts::kIniCopySuffix;
  try {
    auto lines = SplitTextLines(files.ReadAll(ini_path));
    bool changed = false;
    for (auto& line : lines) {
      if (line == recorded_line) {
        line = line.substr(0, line.find('=') + 1);
        changed = true;
      }
    }
    // A file without the line is left exactly as it is.
    if (!changed) return;
    files.WriteLines(copy_path, lines);
    files.PutInPlaceOf(copy_path, ini_path);
  } catch (const InOutError&) {
    files.RemoveFile(copy_path);
  }
}

}  // namespace corvane
