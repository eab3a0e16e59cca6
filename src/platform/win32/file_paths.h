// File paths as the W functions take them.
#pragma once

#include <string>

namespace corvane::win32 {

// The UTF-8 path as it is while it is short. One of MAX_PATH - 12 units or
// more (the limit for folders, which keep room for an 8.3 name) goes in its
// \\?\ form (\\?\C:\..., \\?\UNC\server\share\...), which has no such limit,
// after Windows' own resolution of relative parts, which that form skips.
// A path holding a NUL names no file: it comes back empty, which every file
// function refuses.
std::wstring FilePath(const std::string& path);

}  // namespace corvane::win32
