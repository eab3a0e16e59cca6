// Where Corvane keeps the blacklist, the log, the backups and the saved
// baseline: an installed copy (its installer put its mark beside it) in the
// user's application data folder, %APPDATA%\Corvane, whether it runs elevated
// or not, so that one user's data never splits by the rights of the moment;
// a portable copy beside itself when its folder can be written (as on a USB
// stick), else in the user's folder too. The editor, the viewer and the
// removals all use the one place.
#pragma once

#include <string>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/user_secrets.h"
#include "removal/record_seal.h"

namespace corvane {

struct DataFiles {
  std::string folder;  // with its trailing backslash
  // Vouches for the backups and the saved baseline (see OpenDataFolder).
  RecordSeal seal = {};
  // The seal's key was made at this start: no run of this version kept
  // anything here before, so a missing baseline is no loss.
  bool seal_made = false;

  std::string Blacklist() const;
  std::string Log() const;
  std::string SavedBaseline() const;
  // When the blacklist last matched each name (see blacklist_matches.h).
  std::string BlacklistMatches() const;
  // The seal's key, protected for the user's account.
  std::string SealKey() const;
  std::string KeptCopies() const;  // without a trailing backslash
};

// Whether the running program was installed, not copied: its installer's
// mark is beside it.
bool IsInstalledCopy(const FileSystem& files);

// Decided once, at start. The folder in %APPDATA% is made when it is chosen.
// An installed copy first carries into it what an earlier version kept
// beside the program (moved, or copied where this account may not delete
// there); a name the user's folder has already stays as it is there.
DataFiles LocateDataFiles(FileSystem& files, const Environment& environment);

// At start, once the folder is known: the seal under the key kept there.
// When the key is made now (the first start of this version), the backups
// and the saved baseline that an earlier version wrote without a seal are
// sealed, those that are sound; any other file without the seal is never
// taken.
void OpenDataFolder(FileSystem& files, const Environment& environment, UserSecrets& secrets,
                    DataFiles& data);

// The user's own folder of the program, %APPDATA%\Corvane, without trailing
// backslash; "" when the variable is not set.
std::string UserDataFolder(const Environment& environment);

}  // namespace corvane
