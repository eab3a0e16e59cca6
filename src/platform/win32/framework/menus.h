// Menus built from nested tables of items: a window's menu bar and popup
// menus such as the tray menu.
#pragma once

#include <vector>

#include "platform/win32/framework/gui_handles.h"

namespace corvane::win32 {

struct MenuItem {
  const char* text = nullptr;  // none: a separator
  int command = 0;             // the WM_COMMAND id; unused for a submenu
  std::vector<MenuItem> items;  // a submenu when not empty
  bool is_default = false;      // shown bold in a popup menu
};

MenuHandle MakeMenuBar(const std::vector<MenuItem>& items);
MenuHandle MakePopupMenu(const std::vector<MenuItem>& items);

// Shows the popup at the screen point and returns the chosen command, or 0.
// The owner becomes the foreground window first, or the menu would not go
// away when the user clicks elsewhere.
int TrackPopup(HWND owner, HMENU menu, POINT at);

}  // namespace corvane::win32
