// Removing an entry that lives in the registry. Each action keeps a backup
// of the item first (nothing is removed whose backup could not be written:
// kRefused), changes exactly the item the entry names, then looks again, and
// says what happened; it knows nothing of alerts, the blacklist or the log.
// A backup is withdrawn again when the item was not removed after all.
#pragma once

#include <optional>
#include <string>

#include "platform/environment.h"
#include "platform/registry.h"
#include "removal/backup_store.h"
#include "removal/removal_result.h"

namespace corvane {

// Where a Run-type entry (type 1 or 2, whole) points: the key path and the
// value name. A value name may itself hold backslashes: the entry is matched
// against the scanned Run-type keys first, and split at its last backslash
// only when it matches none.
struct RunValueLocation {
  std::string key_path;
  std::string value_name;
};
RunValueLocation LocateRunValue(const std::string& entry);

// Where an entry that carries a value with its data (types 7, W, D and A)
// points. The key path is matched against the places scanned for that type,
// since the data may hold backslashes of its own; no value when it matches none.
struct ValueWithData {
  char root_code;
  std::string key_path;
  std::string value_name;
  std::string data;
};
std::optional<ValueWithData> LocateValueWithData(const std::string& entry);

// Types W, D and A: takes the declined data out of its value. Winlogon's
// values at the machine get the Windows default back (never deleted, since
// Windows cannot log on without them), AppInit_DLLs is emptied, the user's
// Shell and a Debugger are deleted. A value that no longer holds the data
// counts as gone.
RemovalResult RemoveValueWithData(Registry& registry, const Environment& environment,
                                  BackupKeeper& keeper, const std::string& entry);

// The entry that RemoveValueWithData leaves in the declined one's place
// when it writes a value back (Winlogon's default), as the scanners make it.
std::optional<std::string> EntryLeftByValueRemoval(const Environment& environment,
                                                   const std::string& entry);

// Types 1 and 2: deletes the value of exactly that name.
RemovalResult RemoveRegistryStartup(Registry& registry, BackupKeeper& keeper,
                                    const std::string& entry);

// Type 7: empties the Internet Explorer start page.
RemovalResult RemoveIEStartPage(Registry& registry, BackupKeeper& keeper);

// Type 8: the full path of the browser helper object's key; `object` is the
// entry without its type code.
std::string BrowserHelperKey(const std::string& object);

// Type 8: deletes the browser helper object's subkey with everything below
// it; `object` is the entry without its type code. The whole tree is kept
// first; one that cannot be read whole stays.
RemovalResult RemoveIEBHO(Registry& registry, BackupKeeper& keeper, const std::string& object);

// Type 4: sets the service's start value to 4 (disabled); the service stays.
RemovalResult RemoveServiceStartup(Registry& registry, BackupKeeper& keeper,
                                   const std::string& service_name);

}  // namespace corvane
