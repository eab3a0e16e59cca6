// Whether a backup, kept for an entry, puts back exactly what a removal or
// revert of that entry changed, where it changed it. A record of the data
// folder that names anything else was not written by a removal, whoever
// wrote it, and must never be acted on.
#pragma once

#include <string>

#include "platform/environment.h"
#include "removal/backup_record.h"

namespace corvane {

// True when the entry is one its row makes, at a place of that row, and the
// body writes only that entry's item by the row's rule:
// - a value: the one the removal deletes, empties or gives its default, the
//   start value of a disabled service, or the value that holds a changed
//   command;
// - a key tree: the entry's own subkey, below the row's key;
// - a moved or rewritten file: a file right in one of the row's folders;
// - INI lines: the row's file in the Windows folder;
// - a task: the entry's task, a path of plain names in the library.
bool BackupFitsEntry(const Environment& environment, const std::string& entry,
                     const BackupBody& body);

}  // namespace corvane
