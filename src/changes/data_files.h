// Where Corvane keeps the blacklist and the activity log: beside the program
// when its folder can be written (as for a copy kept on a USB stick), else in
// the user's application data folder, %APPDATA%\Corvane, as a program
// installed under Program Files must for a user without administrator
// rights. The editor, the viewer and the removals all use the one place.
#pragma once

#include <string>

#include "platform/environment.h"
#include "platform/file_system.h"

namespace corvane {

struct DataFiles {
  std::string folder;  // with its trailing backslash

  std::string Blacklist() const;
  std::string Log() const;
  std::string SavedBaseline() const;
  // When the blacklist last matched each name (see blacklist_matches.h).
  std::string BlacklistMatches() const;
};

// Decided once, at start. The folder in %APPDATA% is made when it is chosen.
DataFiles LocateDataFiles(FileSystem& files, const Environment& environment);

// The user's own folder of the program, %APPDATA%\Corvane, without trailing
// backslash; "" when the variable is not set.
std::string UserDataFolder(const Environment& environment);

}  // namespace corvane
