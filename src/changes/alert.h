// Putting one new entry to the user.
#pragma once

#include <string>

#include "changes/alert_view.h"
#include "platform/user_interface.h"

namespace corvane {

// The location as the alert shows it: control characters written out, then
// whole up to 35 characters, otherwise "..." and the last 36 characters.
std::string ShownLocation(const std::string& location);

// Shows the alert with a beep, the poll timer held while it is open; the
// do-not-ask box is enabled only when `offer_do_not_ask` (a registry
// Run-type entry whose name the blacklist can hold). True when the user chose
// No, that is, when the entry is to be removed. A window that cannot be
// shown raises an error rather than answer for the user.
bool ShowAlert(AlertView& view, PollTimer& timer, MessageBoxes& boxes, const std::string& type_text,
               const std::string& location_text, bool offer_do_not_ask);

}  // namespace corvane
