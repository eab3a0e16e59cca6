// Removing a declined entry that lives in a file: a Startup-folder file or
// an autostart line of win.ini or system.ini.
#pragma once

#include <string>

#include "changes/cycle_context.h"

namespace corvane {

// Type 3: deletes the file in the Startup folder (not what it points to).
void RemoveStartupFolderFile(CycleContext& context, const std::string& path);

// Types 5 and 6: cuts the value out of the recorded line of the INI file
// ("win.ini" or "system.ini" in the Windows directory).
void RemoveIniStartup(CycleContext& context, const std::string& ini_name,
                      const std::string& recorded_line);

// Replaces the INI file by a copy in which the lines equal to the recorded
// line keep only their key and "="; every other line is copied unchanged.
// The copy is written whole and closed before it replaces the file in one
// step; when any step fails the copy is deleted and the file stays as it was.
// An empty value text changes nothing.
void StripIniEntry(FileSystem& files, const Environment& environment,
                   const std::string& value_text, const std::string& ini_name,
                   const std::string& recorded_line);

}  // namespace corvane
