// Registry values whose names hold a NUL, which only the native calls can
// make: what a hostile program plants to mislead a name-based removal.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::automation {

// Sets the string value named exactly `name` (NULs included) in the open key.
bool SetNativeValue(HKEY key, const std::string& name, const std::string& text);
// Deletes the value named exactly `name`; true when it was there.
bool DeleteNativeValue(HKEY key, const std::string& name);

}  // namespace corvane::automation
