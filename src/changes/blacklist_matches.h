// When the blacklist last matched each name, so that the editor can show
// which names still come back. The file "blacklist-matches" in the data
// folder holds one line per name: the sortable time of its latest match
// ("YYYY-MM-DD hh:mm:ss"), a tab, and the name as the list compares it.
// Matches older than 30 days are dropped whenever the file is written, so
// it stays as small as the list.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

// How far back a match counts.
inline constexpr long kRecentMatchDays = 30;

// Records a match of each name at `now` (a sortable time), writing the file
// whole and putting it in place in one step, once for all of them. The
// matches have been acted on already, so a file that cannot be read or
// written is left as it is and nothing is reported; nor is anything
// recorded without a sortable time.
void RecordBlacklistMatches(FileSystem& files, const std::string& path,
                            const std::vector<std::string>& names, const std::string& now);

// The names matched within the 30 days before `now`, each with the date
// ("YYYY-MM-DD") of its latest match; none when the file is missing or
// cannot be read.
std::map<std::string, std::string> RecentBlacklistMatches(const FileSystem& files,
                                                          const std::string& path,
                                                          const std::string& now);

}  // namespace corvane
