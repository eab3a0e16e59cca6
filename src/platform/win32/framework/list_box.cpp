#include "platform/win32/framework/list_box.h"

namespace corvane::win32 {

std::vector<std::string> ListBoxItems(const Control& list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(list.handle(), LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageA(list.handle(), LB_GETTEXTLEN, WPARAM(index), 0);
    std::string item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT got = SendMessageA(list.handle(), LB_GETTEXT, WPARAM(index),
                                     reinterpret_cast<LPARAM>(&item[0]));
    item.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    items.push_back(item);
  }
  return items;
}

void SetListBoxItems(const Control& list, const std::vector<std::string>& items) {
  SendMessageA(list.handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(list.handle(), LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageA(list.handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(list.handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list.handle(), nullptr, TRUE);
}

int ListBoxSelection(const Control& list) {
  const LRESULT selected = SendMessageA(list.handle(), LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

}  // namespace corvane::win32
