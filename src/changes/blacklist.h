// The blacklist: registry value names that are removed without asking, one
// per line of the file "blacklist" beside the program.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

std::string BlacklistPath(const FileSystem& files);

// Whether a line of the list, blanks and control characters trimmed from
// both, equals the name (letter case counts). A list that cannot be read
// answers false.
bool IsBlacklisted(const FileSystem& files, const std::string& name);

// Appends the name as one line, creating the list when missing. Failures go
// up to the caller (InOutError).
void AddToBlacklist(FileSystem& files, const std::string& name);

// The editor's items: every line as read, empty ones included; none when the
// list does not exist. A read failure goes up (InOutError).
std::vector<std::string> LoadBlacklist(const FileSystem& files);

// The items without the selected one (index from 0; -1 for none).
std::vector<std::string> WithoutSelected(const std::vector<std::string>& items, int selected);

// Rewrites the list with the items; a failure is swallowed.
void SaveBlacklist(FileSystem& files, const std::vector<std::string>& items);

}  // namespace corvane
