// Putting one new entry to the user.
#pragma once

#include <string>

#include "changes/alert_view.h"
#include "platform/user_interface.h"

namespace corvane {

// The location as the alert shows it: whole up to 35 characters, otherwise
// "..." and the last 36 characters.
std::string ShownLocation(const std::string& location);

// Shows the alert with the poll timer stopped and a beep; the do-not-ask box
// is enabled only for registry Run-type entries. True when the user chose
// No, that is, when the entry is to be removed.
bool ShowAlert(AlertView& view, PollTimer& timer, MessageBoxes& boxes, const std::string& type_text,
               const std::string& location_text);

}  // namespace corvane
