// The blacklist: registry value names that are removed without asking, one
// per line of the file "blacklist" in the data folder. Written as UTF-8; a
// line that is no UTF-8 is read in the ANSI code page.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

// Whether a line of the list, blanks and control characters trimmed from
// both, equals the name (letter case counts). A list that cannot be read
// answers false.
bool IsBlacklisted(const FileSystem& files, const std::string& list, const std::string& name);

// The names the list holds as IsBlacklisted compares them (BlacklistName of
// each line but the empty ones), read once for checking many names; none
// when the list is missing or cannot be read.
std::set<std::string> BlacklistedNames(const FileSystem& files, const std::string& list);

// The name a line of the list stands for: blanks and control characters
// trimmed from both ends.
std::string BlacklistName(const std::string& line);

// Whether the name can stand as one line of the list and read back as
// itself: no control characters (a line break would split it, or forge a
// second name) and nothing that is no UTF-8.
bool CanBeBlacklisted(const std::string& name);

// Appends the name as one line, making the list (and its folder) when
// missing; a list whose last line lacks its line end gets one first. A name
// that cannot be blacklisted is not written. Failures go up (InOutError,
// naming the file and what the user can do).
void AddToBlacklist(FileSystem& files, const std::string& list, const std::string& name);

// The editor's items: every line as read, empty ones included; none when the
// list does not exist. A read failure goes up (InOutError).
std::vector<std::string> LoadBlacklist(const FileSystem& files, const std::string& list);

// The items without the selected one (index from 0; -1 for none).
std::vector<std::string> WithoutSelected(const std::vector<std::string>& items, int selected);

// The items with the typed name appended, trimmed as the list compares;
// unchanged when the name is empty, cannot be blacklisted, or an item
// already stands for it.
std::vector<std::string> WithAdded(const std::vector<std::string>& items,
                                   const std::string& typed);

// Rewrites the list with the items, making its folder when missing. A failure
// goes up (InOutError, naming the file and what the user can do), so the
// editor never confirms a save that did not happen.
void SaveBlacklist(FileSystem& files, const std::string& list,
                   const std::vector<std::string>& items);

}  // namespace corvane
