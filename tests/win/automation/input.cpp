#include "automation/input.h"

#include "automation/windows.h"
#include "platform/win32/wide.h"

namespace corvane::automation {

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void ClickAt(HWND control, POINT point, WPARAM keys) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
  PostMessageW(control, WM_LBUTTONUP, keys, at);
}

void PressKey(HWND top_level, WORD virtual_key) {
  HWND target = FocusIn(top_level);
  if (target == nullptr) target = top_level;
  const UINT scan = MapVirtualKeyW(virtual_key, 0);
  PostMessageW(target, WM_KEYDOWN, virtual_key, 1 | (LPARAM(scan) << 16));
  PostMessageW(target, WM_KEYUP, virtual_key, 1 | (LPARAM(scan) << 16) | (LPARAM(3) << 30));
}

void PressAltKey(HWND top_level, wchar_t letter) {
  HWND target = FocusIn(top_level);
  if (target == nullptr) target = top_level;
  PostMessageW(target, WM_SYSCHAR, letter, 1 | (LPARAM(1) << 29));  // the context code: Alt is down
}

void CloseWithCloseButton(HWND top_level) {
  PostMessageW(top_level, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::vector<std::string> ListItems(HWND list_box) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list_box, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageW(list_box, LB_GETTEXTLEN, WPARAM(index), 0);
    std::wstring wide(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(list_box, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    items.push_back(win32::Utf8(wide));
  }
  return items;
}

void SelectListItem(HWND list_box, int index) {
  SendMessageW(list_box, LB_SETCURSEL, WPARAM(index), 0);
}

int SelectedListItem(HWND list_box) {
  const LRESULT selected = SendMessageW(list_box, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

}  // namespace corvane::automation
