// Removing a declined (or blacklisted) entry that lives in the registry.
#pragma once

#include <string>

#include "changes/cycle_context.h"

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

// Types 1 and 2: deletes the value; a blacklisted name goes without asking.
// Ticking "do not ask" puts the name on the blacklist, whatever the answer.
void RemoveRegistryStartup(CycleContext& context, const std::string& entry);

// Type 7: empties the Internet Explorer start page.
void RemoveIEStartPage(CycleContext& context);

// Type 8: deletes the browser helper object's subkey with everything below it.
void RemoveIEBHO(CycleContext& context, const std::string& subkey_name);

// Type 4: sets the service's start value to 4 (disabled); the service stays.
void RemoveServiceStartup(CycleContext& context, const std::string& service_name);

}  // namespace corvane
