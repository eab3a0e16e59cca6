#include "app/settings.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "monitor/autostart_locations.h"
#include "monitor/snapshot_scan.h"
#include "platform/errors.h"
#include "texts.h"

namespace corvane {

namespace {

std::optional<std::uint32_t> ParseInteger(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  unsigned base = 10;
  if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
    base = 16;
    ++at;
  } else if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
    base = 16;
    at += 2;
  }
  if (at == text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    unsigned digit;
    if (std::isdigit(c)) {
      digit = c - '0';
    } else if (base == 16 && std::isxdigit(c)) {
      digit = static_cast<unsigned>(std::tolower(c) - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (base == 10 && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
  const auto result = static_cast<std::uint32_t>(value);
  return negative ? 0u - result : result;
}

std::string OptionsPath(const Platform& platform) {
  return platform.environment.Get(locations::kWindowsDirectoryVariable) + '\\' + texts::kOptionsFile;
}

bool ReadFlag(const ProfileFile& profile, const std::string& path, const char* key) {
  return ReadOptionFlag(profile.Read(path, key, ""));
}

void WriteFlag(ProfileFile& profile, const std::string& path, const char* key, bool checked) {
  profile.Write(path, key, checked ? texts::kOptionChecked : texts::kOptionUnchecked);
}

// Registers the program in, or removes it from, the machine's Run key. A key
// that cannot be opened (no rights on the machine's keys) is skipped.
void UpdateAutorun(Platform& platform, bool autorun) {
  const auto accessor = platform.registry.CreateAccessor();
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  if (!accessor->OpenKey(locations::kRunKeys[0].path, true, KeyAccess::kReadWrite)) return;
  if (autorun) {
    accessor->WriteString(texts::kAutorunValue, '"' + platform.files.ProgramPath() + '"');
  } else {
    accessor->DeleteValue(texts::kAutorunValue);
  }
}

}  // namespace

bool ReadOptionFlag(const std::string& text) {
  const auto number = ParseInteger(text);
  return !number || *number != 0;
}

void InitializeSettings(SettingsContext& context) {
  context.window.SetCaption(std::string(texts::kMainCaptionPrefix) + texts::kProgramVersion);
  const auto& profile = context.profile;
  const auto path = OptionsPath(context.platform);
  Options options;
  options.autorun = ReadFlag(profile, path, texts::kAutorunKey);
  options.registry_keys = ReadFlag(profile, path, texts::kRegistryKeysKey);
  options.startup_folders = ReadFlag(profile, path, texts::kStartupFoldersKey);
  options.services = ReadFlag(profile, path, texts::kServicesKey);
  options.ini_files = ReadFlag(profile, path, texts::kIniFilesKey);
  const auto stored_version = profile.Read(path, texts::kVersionKey, "");
  context.window.SetCheckedOptions(options);

  context.flags.removal = 0;
  TakeSnapshotScan(context.platform, context.switches, context.tables);
  if (stored_version.empty()) {
    context.window.SetShowForm(true);
    context.window.SetCancelEnabled(false);
  }
}

void SaveSettings(SettingsContext& context) {
  context.window.SetCancelEnabled(true);
  const auto options = context.window.CheckedOptions();
  auto& profile = context.profile;
  const auto path = OptionsPath(context.platform);
  WriteFlag(profile, path, texts::kAutorunKey, options.autorun);
  WriteFlag(profile, path, texts::kRegistryKeysKey, options.registry_keys);
  WriteFlag(profile, path, texts::kStartupFoldersKey, options.startup_folders);
  WriteFlag(profile, path, texts::kServicesKey, options.services);
  WriteFlag(profile, path, texts::kIniFilesKey, options.ini_files);
  profile.Write(path, texts::kVersionKey, texts::kProgramVersion);

  UpdateAutorun(context.platform, options.autorun);
  // After the autorun value, so that our own value is not reported as new.
  TakeSnapshotScan(context.platform, context.switches, context.tables);
  context.timer.Start();
  context.window.SetShowForm(false);
}

void CancelSettings(SettingsContext& context) {
  context.timer.Start();
  context.window.SetShowForm(false);
}

}  // namespace corvane
