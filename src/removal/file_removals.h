// Removing an entry that lives in a file: a Startup-folder file or an
// autostart line of win.ini or system.ini. Like the registry removals, each
// changes exactly its item, looks again and says what happened.
#pragma once

#include <string>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "removal/removal_result.h"

namespace corvane {

// Type 3: deletes the file in the Startup folder; a link goes, never what
// it points to.
RemovalResult RemoveStartupFolderFile(FileSystem& files, const std::string& path);

// Types 5 and 6: cuts the value out of the recorded line of the INI file
// ("win.ini" or "system.ini" in the Windows directory). The file is edited
// as bytes (StripIniEntry) and replaced in one step by a copy made under a
// name no other file had; a read-only file is left as it is. A line with no
// value has nothing that could start, and counts as gone.
RemovalResult RemoveIniStartup(FileSystem& files, const Environment& environment,
                               const std::string& ini_name, const std::string& recorded_line);

// The line that RemoveIniStartup leaves of the recorded one: its key and "=".
std::string IniLineLeftByRemoval(const std::string& recorded_line);

// The INI file's bytes with the value cut out of every line that the INI
// scanner reads as `recorded_line` (its text decoded from the ANSI code page,
// CRs left out, ending at LF or Ctrl-Z). Only the value's bytes go: its key
// and "=", lone CRs, line ends, a missing final line end, Ctrl-Z and
// everything after it stay exactly as they were.
std::string StripIniEntry(const FileSystem& files, const std::string& bytes,
                          const std::string& recorded_line);

}  // namespace corvane
