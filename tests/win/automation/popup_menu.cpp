#include "automation/popup_menu.h"

namespace corvane::automation {
namespace {

constexpr char kMenuClass[] = "#32768";

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK MatchMenu(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window) || ClassOf(window) != kMenuClass) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindPopupMenuOf(DWORD process_id) {
  Search search{process_id, nullptr};
  EnumWindows(&MatchMenu, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForPopupMenu(DWORD process_id, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindPopupMenuOf(process_id)) != nullptr; }, timeout_ms);
  return found;
}

void PressMenuKey(HWND menu_window, WORD virtual_key) {
  PostMessageW(menu_window, WM_KEYDOWN, virtual_key, 1);
  PostMessageW(menu_window, WM_KEYUP, virtual_key, 0xC0000001);
}

}  // namespace corvane::automation
