// The popup menu that another process shows (a window of class "#32768"),
// as a user sees it: whether it is open, and keys typed into it. Its items
// cannot be read from here under Wine, which keeps menus in their process.
#pragma once

#include <windows.h>

#include "automation/windows.h"

namespace corvane::automation {

// The visible popup menu window of the process, or null.
HWND FindPopupMenuOf(DWORD process_id);
HWND WaitForPopupMenu(DWORD process_id, DWORD timeout_ms = kPatience);

// A key press and release; an open menu reads the keys of its whole thread.
void PressMenuKey(HWND menu_window, WORD virtual_key);

}  // namespace corvane::automation
