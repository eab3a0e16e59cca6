#include "app/settings.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "changes/data_files.h"
#include "changes/inventory.h"
#include "monitor/autostart_locations.h"
#include "monitor/entry_kinds.h"
#include "platform/errors.h"
#include "removal/registry_places.h"
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

bool ReadFlag(const ProfileFile& profile, const std::string& path, const char* key) {
  return ReadOptionFlag(profile.Read(path, key, ""));
}

// Before the first Save of an installed copy, the box shows what the
// installer chose: whether it wrote the Run value. A portable copy's box
// starts ticked.
bool ReadAutorun(Platform& platform, const ProfileFile& profile, const std::string& path) {
  const auto stored = profile.Read(path, texts::kAutorunKey, "");
  if (!stored.empty() || !IsInstalledCopy(platform.files)) return ReadOptionFlag(stored);
  for (const auto root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser}) {
    if (ReadRawAt(platform.registry, root, locations::kMachineRunKey, texts::kAutorunValue)) {
      return true;
    }
  }
  return false;
}

void WriteOptions(ProfileFile& profile, const std::string& path, const Options& options) {
  const auto write_flag = [&](const char* key, bool checked) {
    profile.Write(path, key, checked ? texts::kOptionChecked : texts::kOptionUnchecked);
  };
  write_flag(texts::kAutorunKey, options.autorun);
  write_flag(texts::kRegistryKeysKey, options.registry_keys);
  write_flag(texts::kStartupFoldersKey, options.startup_folders);
  write_flag(texts::kServicesKey, options.services);
  write_flag(texts::kIniFilesKey, options.ini_files);
  write_flag(texts::kScheduledTasksKey, options.scheduled_tasks);
  profile.Write(path, texts::kVersionKey, texts::kProgramVersion);
}

// The file the options are read from: the user's own copy once there is one.
std::string OptionsToRead(const FileSystem& files, const OptionsFiles& paths) {
  return !paths.user.empty() && files.FileExists(paths.user) ? paths.user : paths.machine;
}

// Writes the options where they are read from; when the Windows directory's
// file refuses, into the user's own copy, which is read from then on.
void StoreOptions(Platform& platform, ProfileFile& profile, const Options& options) {
  const auto paths = LocateOptionsFiles(platform.environment);
  const auto path = OptionsToRead(platform.files, paths);
  try {
    WriteOptions(profile, path, options);
    return;
  } catch (const InOutError&) {
    if (path == paths.user || paths.user.empty()) {
      throw InOutError(FormatText(texts::kUnableToWriteFile, path) + texts::kWriteAdvice);
    }
  }
  try {
    platform.files.MakeDirectory(UserDataFolder(platform.environment));
    WriteOptions(profile, paths.user, options);
  } catch (const InOutError&) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, paths.user) + texts::kWriteAdvice);
  }
}

// The log's presence is its switch: an empty file turns it on, and an
// existing log is never emptied.
void SwitchLog(FileSystem& files, const std::string& log_file, bool keep) {
  if (log_file.empty() || files.FileExists(log_file) == keep) return;
  if (keep) {
    try {
      files.WriteLines(log_file, {});
    } catch (const InOutError&) {
      throw InOutError(FormatText(texts::kUnableToWriteFile, log_file) + texts::kWriteAdvice);
    }
  } else if (!files.RemoveFile(log_file)) {
    throw InOutError(FormatText(texts::kUnableToDeleteFile, log_file) + texts::kWriteAdvice);
  }
}

std::unique_ptr<RegistryAccessor> OpenRunKey(Registry& registry, RegistryRoot root) {
  auto accessor = registry.CreateAccessor();
  accessor->SetRoot(root);
  if (!accessor->OpenKey(locations::kMachineRunKey, true, KeyAccess::kReadWrite)) return nullptr;
  return accessor;
}

// A refused write goes up to the error box, which names the value.
void WriteAutorunValue(RegistryAccessor& run_key, const std::string& command) {
  if (!WriteText(run_key, texts::kAutorunValue, command)) {
    throw RegistryError(FormatText(texts::kFailedToSetData, texts::kAutorunValue));
  }
}

// Registers the program in the machine's Run key, or the user's when the
// machine's cannot be written (no administrator rights), and never in both;
// unregistering takes it out of both. A key that cannot be opened is skipped.
void UpdateAutorun(Platform& platform, bool autorun) {
  const auto machine = OpenRunKey(platform.registry, RegistryRoot::kLocalMachine);
  const auto user = OpenRunKey(platform.registry, RegistryRoot::kCurrentUser);
  const auto command = '"' + platform.files.ProgramPath() + '"';
  if (autorun && machine) {
    WriteAutorunValue(*machine, command);
    if (user) user->DeleteValue(texts::kAutorunValue);
  } else if (autorun && user) {
    WriteAutorunValue(*user, command);
  } else if (!autorun) {
    if (machine) machine->DeleteValue(texts::kAutorunValue);
    if (user) user->DeleteValue(texts::kAutorunValue);
  }
}

// Takes the baseline that the last run saved, when there is one that bears
// the seal and was taken with the areas switched as now. Anything else but
// no baseline where none was kept yet (a first run, or a data folder that
// this version never used) is reported, whatever the error, and replaced by
// a fresh one: half a baseline would make every entry missing from it look
// new, and no baseline must never pass for "nothing was added".
bool StartFromSavedBaseline(SettingsContext& context, bool first_run) {
  if (context.saved_baseline == nullptr) return false;
  std::optional<SavedBaseline> saved;
  bool read = true;
  try {
    saved = context.saved_baseline->Load();
  } catch (const std::exception&) {
    read = false;
  }
  if (saved && saved->switches == SwitchesSignature(context.switches) &&
      saved->places_version <= kPlacesVersion) {
    const int places_version = saved->places_version;
    UseSavedBaseline(std::move(*saved), context.tables);
    AdoptRowsNewerThan(context.platform, context.switches, places_version, context.tables);
    return true;
  }
  if (read && !saved && first_run) return false;
  if (context.boxes != nullptr) context.boxes->ShowWarning(texts::kSavedBaselineNotChecked);
  return false;
}

// Keeps a fresh baseline; a file that cannot be written is reported by the
// next cycle, which tries again.
void SaveFreshBaseline(SettingsContext& context) {
  if (context.saved_baseline == nullptr) return;
  try {
    context.saved_baseline->Save(context.switches, context.tables);
  } catch (const InOutError&) {
  }
}

}  // namespace

OptionsFiles LocateOptionsFiles(const Environment& environment) {
  const auto user_folder = UserDataFolder(environment);
  return {environment.Get(locations::kWindowsDirectoryVariable) + '\\' + texts::kOptionsFile,
          user_folder.empty() ? "" : user_folder + '\\' + texts::kOptionsFile};
}

bool ReadOptionFlag(const std::string& text) {
  const auto number = ParseInteger(text);
  return !number || *number != 0;
}

void InitializeSettings(SettingsContext& context) {
  context.window.SetCaption(std::string(texts::kMainCaptionPrefix) + texts::kProgramVersion);
  const auto& profile = context.profile;
  const auto path =
      OptionsToRead(context.platform.files, LocateOptionsFiles(context.platform.environment));
  Options options;
  options.autorun = ReadAutorun(context.platform, profile, path);
  options.registry_keys = ReadFlag(profile, path, texts::kRegistryKeysKey);
  options.startup_folders = ReadFlag(profile, path, texts::kStartupFoldersKey);
  options.services = ReadFlag(profile, path, texts::kServicesKey);
  options.ini_files = ReadFlag(profile, path, texts::kIniFilesKey);
  options.scheduled_tasks = ReadFlag(profile, path, texts::kScheduledTasksKey);
  options.keep_log =
      !context.log_file.empty() && context.platform.files.FileExists(context.log_file);
  const auto stored_version = profile.Read(path, texts::kVersionKey, "");
  context.window.SetCheckedOptions(options);

  if (StartFromSavedBaseline(context, stored_version.empty() || context.new_data_folder)) {
    context.timer.Soon();
  } else {
    TakeBaselineInventory(context.platform, context.switches, context.tables);
    SaveFreshBaseline(context);
  }
  if (stored_version.empty()) {
    context.window.SetShowForm(true);
    context.window.SetCancelEnabled(false);
  }
}

void SaveSettings(SettingsContext& context) {
  context.window.SetCancelEnabled(true);
  const auto options = context.window.CheckedOptions();
  // No version stored yet: the window is the one of the very first start.
  const bool first_save = context.profile
                              .Read(OptionsToRead(context.platform.files,
                                                  LocateOptionsFiles(context.platform.environment)),
                                    texts::kVersionKey, "")
                              .empty();
  StoreOptions(context.platform, context.profile, options);
  UpdateAutorun(context.platform, options.autorun);
  SwitchLog(context.platform.files, context.log_file, options.keep_log);
  // After the autorun value, so that our own value is not reported as new.
  TakeBaselineInventory(context.platform, context.switches, context.tables);
  SaveFreshBaseline(context);
  context.timer.Start();
  context.window.SetShowForm(false);
  if (first_save && context.notices != nullptr) context.notices->Notify(texts::kWatchingNotice);
}

void CancelSettings(SettingsContext& context) {
  context.timer.Start();
  context.window.SetShowForm(false);
}

}  // namespace corvane
