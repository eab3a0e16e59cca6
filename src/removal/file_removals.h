// Removing an entry that lives in a file: a Startup-folder file or an
// autostart line of win.ini or system.ini. Like the registry removals, each
// keeps its backup first (or removes nothing: kRefused), changes exactly its
// item, looks again and says what happened.
#pragma once

#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "removal/backup_store.h"
#include "removal/removal_result.h"

namespace corvane {

// Type 3: moves the file out of the Startup folder into the Removed folder
// (under a free name there); a link goes itself, never what it points to.
RemovalResult RemoveStartupFolderFile(FileSystem& files, BackupKeeper& keeper,
                                      const std::string& path);

// Types 5 and 6: cuts the value out of the recorded line of the INI file
// ("win.ini" or "system.ini" in the Windows directory). The file is edited
// as bytes (IniEntryChanges) and replaced in one step by a copy made under a
// name no other file had; a read-only file is left as it is. A line with no
// value has nothing that could start, and counts as gone. The backup holds
// every changed line's bytes, index and what the removal left of it.
RemovalResult RemoveIniStartup(FileSystem& files, const Environment& environment,
                               BackupKeeper& keeper, const std::string& ini_name,
                               const std::string& recorded_line);

// The line that RemoveIniStartup leaves of the recorded one: its key and "=".
std::string IniLineLeftByRemoval(const std::string& recorded_line);

// An INI file's bytes as lines: split at every LF before the first Ctrl-Z,
// each line with its CRs; `rest` is the Ctrl-Z and everything after it.
// JoinIniLines gives the very bytes back.
struct IniLines {
  std::vector<std::string> lines;
  std::string rest;
};
IniLines SplitIniLines(const std::string& bytes);
std::string JoinIniLines(const IniLines& ini);

// The lines that the INI scanner reads as `recorded_line` (their text
// decoded from the ANSI code page, CRs left out), each with what cutting its
// value out leaves: its key and "=" and its lone CRs.
std::vector<IniLineChange> IniEntryChanges(const FileSystem& files, const std::string& bytes,
                                           const std::string& recorded_line);

// The INI file's bytes with the value cut out of every line that
// IniEntryChanges finds; every other byte stays exactly as it was.
std::string StripIniEntry(const FileSystem& files, const std::string& bytes,
                          const std::string& recorded_line);

// Writes the bytes under a new name beside the file, then puts that copy in
// the file's place in one step; the copy goes again when that fails. False
// when the file could not be replaced; it is then as it was.
bool ReplaceFileBytes(FileSystem& files, const std::string& path, const std::string& bytes);

}  // namespace corvane
