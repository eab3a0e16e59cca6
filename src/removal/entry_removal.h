// Removing a declined entry by the rule of its row. Every removal keeps a
// backup of the item first (nothing is removed whose backup could not be
// written: kRefused), changes exactly the item the entry names, then looks
// again and says what happened; it knows nothing of alerts, the blacklist
// or the log. A backup is withdrawn again when the item was not removed
// after all.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "removal/backup_store.h"
#include "removal/removal_result.h"

namespace corvane {

// - a value is deleted, or given Windows' default back where Windows needs
//   the value (never guessed: a default that cannot be known keeps the
//   value), or emptied; a value entry that carries data counts as gone once
//   the value no longer holds that data;
// - a service's start value is set to disabled; the service stays;
// - a key is deleted with everything below it, kept whole first (one that
//   cannot be read whole stays);
// - a Startup file moves into the Removed folder (under a free name there);
//   a link goes itself, never what it points to;
// - the value is cut out of the INI line (see RemoveIniStartup);
// - a task is deleted after its definition was kept.
// An entry that no row makes is kRefused.
RemovalResult RemoveEntry(Platform& platform, BackupKeeper& keeper, const std::string& entry);

// The entry that the removal leaves in the declined one's place, as a scan
// records it: an INI line's key and "=", a value's Windows default.
std::optional<std::string> EntryLeftByRemoval(const Environment& environment,
                                              const std::string& entry);

}  // namespace corvane
