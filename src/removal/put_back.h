// Putting a removed item back from its backup.
#pragma once

#include "platform/platform.h"
#include "removal/backup_record.h"
#include "removal/backup_store.h"

namespace corvane {

enum class RestoreResult {
  kRestored,      // the item is back exactly as the backup holds it
  kPlaceTaken,    // the place no longer holds what the removal left; nothing changed
  kAccessDenied,  // this account may not write there; nothing changed
  kFailed,        // the backup's own file is missing or the library cannot be reached
};

// Restores the item only when its place still holds what the removal left:
// a value deleted, or holding what was written there (a default, an emptied
// text, Start 4, the old command); a key absent; a file absent, or holding
// the bytes written back; the INI lines as the removal left them, at their
// places; no task of that path. A moved file comes back from the Removed
// folder of `store`.
RestoreResult PutBackRemoval(Platform& platform, const BackupStore& store,
                             const BackupBody& body);

}  // namespace corvane
