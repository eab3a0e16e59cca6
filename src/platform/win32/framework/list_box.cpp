#include "platform/win32/framework/list_box.h"

#include "platform/win32/wide.h"

namespace corvane::win32 {

std::vector<std::string> ListBoxItems(const Control& list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list.handle(), LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageW(list.handle(), LB_GETTEXTLEN, WPARAM(index), 0);
    std::wstring item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const LRESULT got = SendMessageW(list.handle(), LB_GETTEXT, WPARAM(index),
                                     reinterpret_cast<LPARAM>(&item[0]));
    item.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    items.push_back(Utf8(item));
  }
  return items;
}

void SetListBoxItems(const Control& list, const std::vector<std::string>& items) {
  SendMessageW(list.handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(list.handle(), LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring text = Wide(item);
    SendMessageW(list.handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(list.handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list.handle(), nullptr, TRUE);
}

int ListBoxSelection(const Control& list) {
  const LRESULT selected = SendMessageW(list.handle(), LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void SelectListBoxItem(const Control& list, int index) {
  SendMessageW(list.handle(), LB_SETCURSEL, WPARAM(index), 0);
}

}  // namespace corvane::win32
