// Removing an entry that lives in the registry. Each action changes exactly
// the item the entry names, then looks again, and says what happened; it
// knows nothing of alerts, the blacklist or the log.
#pragma once

#include <string>

#include "platform/registry.h"
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

// Types 1 and 2: deletes the value of exactly that name.
RemovalResult RemoveRegistryStartup(Registry& registry, const std::string& entry);

// Type 7: empties the Internet Explorer start page.
RemovalResult RemoveIEStartPage(Registry& registry);

// Type 8: deletes the browser helper object's subkey with everything below it.
RemovalResult RemoveIEBHO(Registry& registry, const std::string& subkey_name);

// Type 4: sets the service's start value to 4 (disabled); the service stays.
RemovalResult RemoveServiceStartup(Registry& registry, const std::string& service_name);

}  // namespace corvane
