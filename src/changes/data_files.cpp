#include "changes/data_files.h"

#include "changes/saved_baseline.h"
#include "platform/errors.h"
#include "removal/backup_store.h"
#include "texts.h"

namespace corvane {

std::string DataFiles::Blacklist() const { return folder + texts::kBlacklistFile; }

std::string DataFiles::Log() const { return folder + texts::kLogFile; }

std::string DataFiles::SavedBaseline() const { return folder + texts::kSavedBaselineFile; }
std::string DataFiles::BlacklistMatches() const { return folder + texts::kBlacklistMatchesFile; }
std::string DataFiles::SealKey() const { return folder + texts::kSealKeyFile; }
std::string DataFiles::KeptCopies() const { return folder + texts::kKeptCopiesFolder; }

std::string UserDataFolder(const Environment& environment) {
  const auto app_data = environment.Get(texts::kAppDataVariable);
  return app_data.empty() ? "" : app_data + '\\' + texts::kDataFolder;
}

namespace {

// One file into the user's folder, unless it has one of that name. A file
// that cannot be carried stays where it was: the user's folder then starts
// without it, as on a first start.
void Carry(FileSystem& files, const std::string& from, const std::string& to) {
  if (!files.FileExists(from) || files.NameTaken(to)) return;
  try {
    files.MoveFileTo(from, to);
    return;
  } catch (const InOutError&) {
  }
  try {
    files.WriteNewFile(to, files.ReadAll(from));
  } catch (const InOutError&) {
  }
}

void CarryDataFiles(FileSystem& files, const std::string& from, const std::string& to) {
  for (const char* name : {texts::kBlacklistFile, texts::kBlacklistMatchesFile, texts::kLogFile,
                           texts::kSavedBaselineFile, texts::kSealKeyFile}) {
    Carry(files, from + name, to + name);
  }
  for (const char* folder : {texts::kBackupsFolder, texts::kRemovedFolder,
                             texts::kKeptCopiesFolder}) {
    const auto names = files.FindFiles(from + folder + "\\*");
    if (names.empty()) continue;
    try {
      files.MakeDirectory(to + folder);
    } catch (const InOutError&) {
      continue;
    }
    for (const auto& name : names) {
      Carry(files, from + folder + '\\' + name, to + folder + '\\' + name);
    }
  }
}

}  // namespace

bool IsInstalledCopy(const FileSystem& files) {
  return files.FileExists(files.ProgramDirectory() + texts::kInstalledMarkFile);
}

DataFiles LocateDataFiles(FileSystem& files, const Environment& environment) {
  const auto program_folder = files.ProgramDirectory();
  const auto user_folder = UserDataFolder(environment);
  const bool installed = IsInstalledCopy(files);
  if (user_folder.empty() || (!installed && files.CanWriteIn(program_folder))) {
    return {program_folder};
  }
  try {
    files.MakeDirectory(user_folder);
  } catch (const InOutError&) {
    // Writing there will fail and say so, with the full path.
  }
  if (installed) CarryDataFiles(files, program_folder, user_folder + '\\');
  return {user_folder + '\\'};
}

void OpenDataFolder(FileSystem& files, const Environment& environment, UserSecrets& secrets,
                    DataFiles& data) {
  const auto loaded = LoadSeal(files, secrets, data.SealKey());
  data.seal = loaded.seal;
  data.seal_made = loaded.made;
  if (!loaded.made) return;
  BackupStore(files, environment, data.folder, data.seal).SealEarlierRecords();
  BaselineFile(files, data.SavedBaseline(), data.seal).SealEarlierFile();
}

}  // namespace corvane
