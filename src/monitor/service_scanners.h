// Scanners of the automatically started services (entry type 4) and of the
// Internet Explorer browser helper objects (type 8).
#pragma once

#include "monitor/entry_table.h"
#include "platform/registry.h"

namespace corvane {

// Appends every service whose start value is exactly 2 (automatic) and whose
// image path is not empty; a service that cannot be read is left out. With
// `commands`, each one's image path goes there too, read once for both.
void ScanServices(Registry& registry, EntryTable& current, CommandTable* commands = nullptr);

// Appends every subkey of the browser helper object key, in the 64-bit view
// and then in the 32-bit view.
void ScanBrowserHelpers(Registry& registry, EntryTable& current);

}  // namespace corvane
