#include "platform/win32/framework/menus.h"

#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

void Fill(HMENU menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.text == nullptr) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!item.items.empty()) {
      MenuHandle submenu(CreatePopupMenu());
      Fill(submenu.get(), item.items);
      // From here the submenu is destroyed with the menu it is part of.
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.release()),
                  Wide(item.text).c_str());
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), Wide(item.text).c_str());
      if (item.is_default) SetMenuDefaultItem(menu, static_cast<UINT>(item.command), FALSE);
    }
  }
}

}  // namespace

MenuHandle MakeMenuBar(const std::vector<MenuItem>& items) {
  MenuHandle menu(CreateMenu());
  Fill(menu.get(), items);
  return menu;
}

MenuHandle MakePopupMenu(const std::vector<MenuItem>& items) {
  MenuHandle menu(CreatePopupMenu());
  Fill(menu.get(), items);
  return menu;
}

int TrackPopup(HWND owner, HMENU menu, POINT at) {
  SetForegroundWindow(owner);
  const int command = static_cast<int>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, owner, nullptr));
  // Lets the menu's closing complete before the owner goes on.
  PostMessageW(owner, WM_NULL, 0, 0);
  return command;
}

}  // namespace corvane::win32
