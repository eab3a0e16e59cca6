#include "app/command_switches.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <map>

#include "changes/data_files.h"
#include "changes/saved_baseline.h"
#include "changes/startup_export.h"
#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_signatures.h"
#include "platform/win32/win32_user_secrets.h"
#include "texts.h"

namespace corvane {

namespace {

using win32::Utf8;
using win32::Wide;

// Standard error as the program was started: a redirected handle, else the
// console of the command prompt that started it; none from Explorer.
void Tell(DWORD which, const std::string& text) {
  HANDLE out = GetStdHandle(which);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    out = GetStdHandle(which);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  }
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(out, &mode)) {
    const std::wstring wide = Wide(text);
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

std::string FullPath(const std::string& path) {
  const std::wstring wide = Wide(path);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFullPathNameW(wide.c_str(), DWORD(full.size()), &full[0], nullptr);
    if (length == 0) return path;
    if (length < full.size()) return Utf8(full.data(), length);
    full.resize(length);
  }
}

// Every entry with all its facts; signatures checked here and now, each
// program file once.
int Export(const std::string& path) {
  if (!ExportFormatOf(path)) {
    Tell(STD_ERROR_HANDLE, std::string(texts::kExportNeedsFile) + "\r\n");
    return kExitBadArgument;
  }
  Win32Platform windows;
  Platform& platform = windows.platform;
  platform.event_log = nullptr;  // an export decides nothing
  Win32UserSecrets secrets;
  EntryTables tables;
  try {
    DataFiles data = LocateDataFiles(platform.files, platform.environment);
    OpenDataFolder(platform.files, platform.environment, secrets, data);
    BaselineFile saved(platform.files, data.SavedBaseline(), data.seal);
    if (auto baseline = saved.Load()) UseSavedBaseline(std::move(*baseline), tables);
  } catch (const InOutError&) {
    // Without the saved list the export lacks only when each entry was first seen.
  }
  const std::string full = FullPath(path);
  try {
    auto rows = ListStartupEntries(platform, tables);
    const Win32Signatures checks;
    std::map<std::string, Signature> checked;
    for (auto& row : rows) {
      AddProgramFacts(platform, row);
      if (row.program.empty()) continue;
      auto known = checked.find(row.program);
      if (known == checked.end())
        known = checked.emplace(row.program, checks.Check(row.program)).first;
      row.signature = known->second;
    }
    ExportStartupEntries(platform.files, full, rows);
  } catch (const std::exception& error) {
    Tell(STD_ERROR_HANDLE, FormatText(texts::kExportFailed, full) + " " + error.what() + "\r\n");
    return kExitNotWritten;
  }
  return kExitDone;
}

}  // namespace

std::vector<std::string> CommandArguments() {
  int count = 0;
  win32::LocalMemory<LPWSTR*> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> utf8;
  for (int at = 1; arguments && at < count; ++at) utf8.push_back(Utf8(arguments.get()[at]));
  return utf8;
}

std::optional<int> RunCommandSwitches(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  const auto is = [](const std::string& argument, const char* name) {
    return lstrcmpiW(Wide(argument).c_str(), Wide(name).c_str()) == 0;
  };
  if (is(arguments[0], texts::kHelpSwitch) && arguments.size() == 1) {
    Tell(STD_OUTPUT_HANDLE, texts::kUsage);
    return kExitDone;
  }
  if (is(arguments[0], texts::kExportSwitch)) {
    if (arguments.size() != 2 || arguments[1].empty()) {
      Tell(STD_ERROR_HANDLE, std::string(texts::kExportNeedsFile) + "\r\n");
      return kExitBadArgument;
    }
    return Export(arguments[1]);
  }
  Tell(STD_ERROR_HANDLE, FormatText(texts::kUnknownSwitch, arguments[0]) + "\r\n");
  return kExitBadArgument;
}

}  // namespace corvane
