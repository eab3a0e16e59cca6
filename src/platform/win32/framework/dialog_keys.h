// The keyboard of the forms: Enter clicks the default button (or the push
// button that has the focus), Esc the cancel button, Tab and the arrow keys
// move the focus, Alt+letter the control with that mnemonic.
#pragma once

#include <windows.h>

namespace corvane::win32 {

// Handles the message when it is such a key for one of our forms; true when
// the message was used up.
bool HandleDialogKeys(MSG& message);

}  // namespace corvane::win32
