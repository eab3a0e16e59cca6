// Finding this process's own top-level window by its title.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

// The first top-level window, in z-order, that belongs to this process and
// whose title is exactly `title`; null when there is none. Windows of other
// programs never match, even with the same title.
HWND FindOwnTopLevelWindow(const std::string& title);

}  // namespace corvane
