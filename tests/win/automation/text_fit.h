// Which controls of a window cut their text or stick out of the window: each
// label, check box, button and group box measured against its text in the
// font it draws with, as a user would see it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace corvane::automation {

// One line per visible control that is too small for its text or lies
// beyond the window's client area; none when all is well. `font` null
// measures in each control's own font (WM_GETFONT), which only a window of
// this process can lend; for another process's window pass the font it uses
// (its push buttons are then measured as having a picture).
std::vector<std::string> CutTexts(HWND window, HFONT font = nullptr);

}  // namespace corvane::automation
