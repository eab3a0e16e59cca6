// Scanners of the Run-type keys (entry types 1 and 2) and of one named string
// value (type 7, the Internet Explorer start page).
#pragma once

#include <string>

#include "monitor/entry_table.h"
#include "platform/registry.h"

namespace corvane {

// Appends one entry per value name of the key; a key that cannot be opened
// for reading contributes nothing.
void ScanKeyValues(Registry& registry, EntryTable& current, const std::string& key_path,
                   char root_code);

// Appends the value with its data when it is a non-empty string; anything
// else (no key, no value, another type) appends nothing.
void ScanSingleValue(Registry& registry, EntryTable& current, const std::string& key_path,
                     char root_code, const std::string& value_name);

}  // namespace corvane
