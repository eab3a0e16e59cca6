#include "automation/input.h"

#include "automation/windows.h"

namespace corvane::automation {

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void ClickAt(HWND control, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void PressKey(HWND top_level, WORD virtual_key) {
  HWND target = FocusIn(top_level);
  if (target == nullptr) target = top_level;
  const UINT scan = MapVirtualKeyA(virtual_key, 0);
  PostMessageA(target, WM_KEYDOWN, virtual_key, 1 | (LPARAM(scan) << 16));
  PostMessageA(target, WM_KEYUP, virtual_key, 1 | (LPARAM(scan) << 16) | (LPARAM(3) << 30));
}

void CloseWithCloseButton(HWND top_level) {
  PostMessageA(top_level, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::vector<std::string> ListItems(HWND list_box) {
  // Asked in UTF-16: some systems hand an ANSI request from another process
  // back in UTF-16 all the same.
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list_box, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageW(list_box, LB_GETTEXTLEN, WPARAM(index), 0);
    std::wstring wide(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(list_box, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    std::string item;
    if (!wide.empty()) {
      const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
      item.assign(static_cast<std::size_t>(size), '\0');
      WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &item[0], size, nullptr,
                          nullptr);
    }
    items.push_back(item);
  }
  return items;
}

void SelectListItem(HWND list_box, int index) {
  SendMessageA(list_box, LB_SETCURSEL, WPARAM(index), 0);
}

int SelectedListItem(HWND list_box) {
  const LRESULT selected = SendMessageA(list_box, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

}  // namespace corvane::automation
