// The tool tips that a window of another process gives its controls.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace corvane::automation {

// Control window to tip text, for every tip window the top-level window owns.
// Read through the tip windows' own records, in the other process's memory;
// both programs must be of one bitness.
std::map<HWND, std::string> ToolTipsOf(HWND top_level);

}  // namespace corvane::automation
