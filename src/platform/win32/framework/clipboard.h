// Text for the user to paste elsewhere.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::win32 {

// Puts the text on the clipboard as Unicode text, in place of what it held;
// false when the clipboard could not be had (another program holds it open)
// or the memory for the text not be found.
bool PutOnClipboard(HWND owner, const std::string& text);

}  // namespace corvane::win32
