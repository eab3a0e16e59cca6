// The activity log "corvane.log" beside the program: one line per removal,
// appended only while the file exists.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/user_interface.h"

namespace corvane {

std::string LogPath(const FileSystem& files);

// Date, blank, time, " - ", message.
std::string ComposeLogLine(const Clock& clock, const std::string& message);

// Appends the line when the log exists; any failure loses the line quietly.
void WriteLog(FileSystem& files, const std::string& line);

// The viewer's lines (a line ends at CR LF, LF or CR); none when the log
// cannot be read.
std::vector<std::string> LoadLog(const FileSystem& files);

}  // namespace corvane
