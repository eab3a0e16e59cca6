// Scanners of registry places: the Run-type keys (entry types 1 and 2),
// single named values with their data (the Internet Explorer start page,
// Winlogon's values, AppInit_DLLs) and the programs' debuggers.
#pragma once

#include <string>
#include <vector>

#include "monitor/entry_table.h"
#include "platform/registry.h"

namespace corvane {

// The views in which a watched key is read (see locations::ViewsOf) that
// exist, less those that are the very key of a view before them: 64-bit
// Windows shares some keys between its views (the policies' keys, Image
// File Execution Options), and one key must not give every entry twice.
std::vector<std::string> DistinctViews(Registry& registry, char root_code,
                                       const std::string& key_path);

// Appends one entry per value name of the key; a key that cannot be opened
// for reading contributes nothing.
void ScanKeyValues(Registry& registry, EntryTable& current, const std::string& key_path,
                   char root_code);

// Appends the value with its data (type 7) when it is a non-empty string;
// anything else (no key, no value, another type) appends nothing.
void ScanSingleValue(Registry& registry, EntryTable& current, const std::string& key_path,
                     char root_code, const std::string& value_name);

// The same for an entry of any type that carries its value's data.
void ScanValueWithData(Registry& registry, EntryTable& current, char type_code, char root_code,
                       const std::string& key_path, const std::string& value_name);

// For each subkey of the key (under HKEY_LOCAL_MACHINE), in listing order,
// its "Debugger" value with its data, as ScanValueWithData finds it.
void ScanDebuggers(Registry& registry, EntryTable& current, const std::string& key_path);

}  // namespace corvane
