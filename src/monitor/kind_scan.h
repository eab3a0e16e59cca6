// Reading one row of the table of places into the current table: the one
// scanner of every kind of entry.
#pragma once

#include <string>
#include <vector>

#include "monitor/entry_kinds.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"

namespace corvane {

// Appends the row's entries, place by place in the row's order, each key in
// the views it is read in (a key Windows shares between them once). The
// commands of the registry entries whose command can change go into the
// current commands, read in the same pass. A place that is missing or
// cannot be read contributes nothing, but an INI file that is there and
// cannot be read raises InOutError, and the places after it are not read.
// When the task library cannot be reached, the baseline's tasks stand in:
// a passing failure must neither hide a task nor make every task look new.
void ScanKind(const Platform& platform, const EntryKind& kind, EntryTables& tables);

// The folders of a kFolderFiles row that are listed, in the row's order,
// each as the scan searches it ("" for one whose variable is unset).
std::vector<std::string> FolderPaths(const EntryKind& kind, const Environment& environment);

// Whether the path names a file right in one of the folders of a
// kFolderFiles row, as its entries record them: a plain name, never "." or
// "..", below one of those folders (in any letter case).
bool IsFileOfRow(const EntryKind& kind, const Environment& environment, const std::string& path);

// The INI matching rule: the line begins with the key in any letter case and
// is not exactly the (lower-case) key.
bool IsAutostartLine(const std::string& line, const std::string& key);

}  // namespace corvane
