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

DataFiles LocateDataFiles(FileSystem& files, const Environment& environment) {
  const auto program_folder = files.ProgramDirectory();
  const auto user_folder = UserDataFolder(environment);
  if (user_folder.empty() || files.CanWriteIn(program_folder)) return {program_folder};
  try {
    files.MakeDirectory(user_folder);
  } catch (const InOutError&) {
    // Writing there will fail and say so, with the full path.
  }
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
