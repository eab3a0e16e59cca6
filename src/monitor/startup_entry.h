// A startup entry is one 8-bit string per autostart item: character 1 is the
// entry type code of its row in the table of places, the rest is laid out by
// what the row reads (see the Make functions). Two entries are the same only
// when they are equal byte for byte. Entries are kept in the saved baseline
// and in backups, so a layout never changes.
#pragma once

#include <string>

#include "platform/registry.h"

namespace corvane {

// Root codes inside registry entries.
inline constexpr char kLocalMachineRootCode = '1';
inline constexpr char kCurrentUserRootCode = '2';

// "1" selects HKEY_LOCAL_MACHINE; any other code HKEY_CURRENT_USER.
RegistryRoot RootOfCode(char root_code);

// A value listed by name: key path, "\", value name. The row's type code
// ("1" or "2") names the root.
std::string MakeRunValueEntry(char root_code, const std::string& key_path,
                              const std::string& value_name);

// A value with its data, so that a changed value is a new entry: the type
// code, root code, key path (with the subkey for a value of every subkey),
// "\", value name, "\", data.
std::string MakeValueWithDataEntry(char type_code, char root_code, const std::string& key_path,
                                   const std::string& value_name, const std::string& data);

// A value read by name whose data is remembered apart: the type code, root
// code, key path (with the subkey for a value of every subkey), "\", value name.
std::string MakeNamedValueEntry(char type_code, char root_code, const std::string& key_path,
                                const std::string& value_name);

// Every other row: the type code followed by the text as it stands: a
// subkey's name (in the row's first key) or the full path of its key, a
// file's full path, an INI line as read, a task's path in the library.
std::string MakeEntry(char type_code, const std::string& text);

}  // namespace corvane
