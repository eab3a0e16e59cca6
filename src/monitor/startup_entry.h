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
// The helper object's subkey name; in the 32-bit view, the full path of its key.
inline constexpr char kBrowserHelper = '8';
// Values that carry their data, laid out like type 7, so a changed value is
// a new entry.
inline constexpr char kWinlogonValue = 'W';  // Winlogon's Shell or Userinit
inline constexpr char kDebuggerValue = 'D';  // a program's "Debugger" (key path ends in its subkey)
inline constexpr char kAppInitValue = 'A';   // AppInit_DLLs
inline constexpr char kScheduledTask = 'T';  // the task's full path in the library
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

// Any type that carries a value with its data: the type code, root code,
// key path, "\", value name, "\", data.
std::string MakeValueWithDataEntry(char type_code, char root_code, const std::string& key_path,
                                   const std::string& value_name, const std::string& data);

// Every other type: the type code followed by the text as it stands.
std::string MakeEntry(char type_code, const std::string& text);

}  // namespace corvane
