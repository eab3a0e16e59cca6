// What a user does to the windows of another process: click, type Enter or
// Esc, pick a list item, close a window. Each is posted, so the test goes
// on even when the action opens a modal window in the other process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace corvane::automation {

void Click(HWND button);
// A left click at a point of the control's client area; `keys` may add
// MK_CONTROL or MK_SHIFT, held during the click.
void ClickAt(HWND control, POINT point, WPARAM keys = 0);
// A key press and release, to the control that has the focus in that window.
void PressKey(HWND top_level, WORD virtual_key);
// Alt and a letter, as the keyboard's translation hands them to the focus.
void PressAltKey(HWND top_level, wchar_t letter);
// What the close button of the caption does.
void CloseWithCloseButton(HWND top_level);

// The items as UTF-8.
std::vector<std::string> ListItems(HWND list_box);
// Selects an item as a click on it would; -1 selects none.
void SelectListItem(HWND list_box, int index);
int SelectedListItem(HWND list_box);

}  // namespace corvane::automation
