// File paths as the W functions take them.
#pragma once

#include <string>

namespace corvane::win32 {

// The UTF-8 path in its \\?\ form (\\?\C:\..., \\?\UNC\server\share\...), so
// that the file functions reach exactly the file a listing named, whatever
// its length, also one whose name ends in a dot or a blank. A path with
// relative parts ("." or "..", "/", no drive) is resolved by Windows first,
// as that form skips it, and stays as it is while it is short.
// A path holding a NUL names no file: it comes back empty, which every file
// function refuses.
std::wstring FilePath(const std::string& path);

// For the functions that parse a path themselves (profiles, shell links,
// version information): the UTF-8 path as it is while it is short, and in
// the \\?\ form from MAX_PATH - 12 units (the limit for folders, which keep
// room for an 8.3 name).
std::wstring ShellFilePath(const std::string& path);

}  // namespace corvane::win32
