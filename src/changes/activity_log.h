// The activity log "corvane.log" in the data folder: one line per removal,
// appended (as UTF-8) only while the file exists.
#pragma once

#include <string>
#include <vector>

#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/user_interface.h"

namespace corvane {

// Date, blank, time, " - ", message.
std::string ComposeLogLine(const Clock& clock, const std::string& message);

// Appends the line when the log exists, with its control characters written
// out, so that one removal always makes one line; any failure loses the
// line quietly.
void WriteLog(FileSystem& files, const std::string& log, const std::string& line);

// Every decision about an entry also goes to the Windows event log, when the
// platform keeps one.
void ReportDecision(const Platform& platform, Decision decision, DecidedEntry entry);

// The viewer's lines (a line ends at CR LF, LF or CR); none when the log
// cannot be read.
std::vector<std::string> LoadLog(const FileSystem& files, const std::string& log);

}  // namespace corvane
