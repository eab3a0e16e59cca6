// Scanners of the file-based autostart places: the files of the Startup
// folders (entry type 3) and the autostart lines of win.ini and system.ini
// (types 5 and 6).
#pragma once

#include <string>
#include <vector>

#include "monitor/entry_table.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace corvane {

// Visits the Startup folders of the Windows directory, of all users, of the
// current user and of the profile named Administrator, then the user's and
// the all-users Startup folder as the shell names them (unless one is a
// folder visited before), in that order. A folder that is not there or
// cannot be listed gives nothing.
void ScanStartupFolders(const Environment& environment, const FileSystem& files,
                        EntryTable& current);

// The Startup folders that ScanStartupFolders searches, in its order.
std::vector<std::string> StartupFolderPaths(const Environment& environment);

// Appends the run= and load= lines of win.ini, then the shell= lines of
// system.ini. A missing file contributes nothing; a file that cannot be
// opened or read raises InOutError, and the passes after it do not run.
void ScanIniFiles(const Environment& environment, const FileSystem& files, EntryTable& current);

}  // namespace corvane
