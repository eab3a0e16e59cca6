// A startup entry is one 8-bit string per autostart item: character 1 is the
// entry type code, the rest is laid out per type. Two entries are the same
// only when they are equal byte for byte.
#pragma once

#include <string>

#include "platform/registry.h"

namespace corvane {

namespace entry_type {
inline constexpr char kLocalMachineRunValue = '1';  // root code, key path, "\", value name
inline constexpr char kCurrentUserRunValue = '2';   // root code, key path, "\", value name
inline constexpr char kStartupFolderFile = '3';     // the file's full path
inline constexpr char kService = '4';               // the service's subkey name
inline constexpr char kWinIniLine = '5';            // the whole line as read
inline constexpr char kSystemIniLine = '6';         // the whole line as read
inline constexpr char kRegistryStringValue = '7';   // root code, key path, "\", name, "\", data
inline constexpr char kBrowserHelper = '8';         // the helper object's subkey name
}  // namespace entry_type

// Root codes inside registry entries.
inline constexpr char kLocalMachineRootCode = '1';
inline constexpr char kCurrentUserRootCode = '2';

// "1" selects HKEY_LOCAL_MACHINE; any other code HKEY_CURRENT_USER.
RegistryRoot RootOfCode(char root_code);

// Types 1 and 2: the root code is the type code.
std::string MakeRunValueEntry(char root_code, const std::string& key_path,
                              const std::string& value_name);

// Type 7: one named string value with its data.
std::string MakeStringValueEntry(char root_code, const std::string& key_path,
                                 const std::string& value_name, const std::string& data);

// Every other type: the type code followed by the text as it stands.
std::string MakeEntry(char type_code, const std::string& text);

}  // namespace corvane
