// The few ntdll calls that the documented W functions lack: registry names
// passed with their full length (a native name may hold NULs, which a
// NUL-ended string cannot carry), deleting a file through the handle that
// opened it, and the names an open file and an open key go by. They are looked up when first
// used; where the running system lacks one, the call does nothing and says so.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::win32 {

enum class Lookup { kFound, kMissing, kFailed };

// The type and data of the value named exactly `name` in the open key.
Lookup QueryValueCounted(HKEY key, const std::wstring& name, DWORD& type, std::string& data);

// Creates or replaces the value named exactly `name` with that type and
// exactly those bytes. True on success.
bool SetValueCounted(HKEY key, const std::wstring& name, DWORD type, const std::string& data);

// True when this call deleted the value named exactly `name`.
bool DeleteValueCounted(HKEY key, const std::wstring& name);

// The subkey of `parent` named exactly `name` (one level), or null. Options
// as for RegOpenKeyExW: with REG_OPTION_OPEN_LINK a link is opened itself.
HKEY OpenKeyCounted(HKEY parent, const std::wstring& name, REGSAM access, DWORD options);

// Deletes the key the handle (opened with DELETE access) stands for, which
// must have no subkeys left. True on success.
bool DeleteOpenKey(HKEY key);

// Marks the file (opened with DELETE access) to be deleted when its last
// handle closes. True on success.
bool DeleteOnClose(HANDLE file);

// The open file's path on its volume, without the drive ("\dir\name"), as
// the system names it; empty when it cannot tell.
std::wstring NameOfOpenFile(HANDLE file);

// The open key's full name as the registry knows it ("\REGISTRY\MACHINE\...");
// a key reached through a link gives the name of the key linked to. Empty
// when it cannot tell.
std::wstring NameOfOpenKey(HKEY key);

// Whether the program runs on Wine (whose ntdll tells its version).
bool RunningOnWine();

}  // namespace corvane::win32
