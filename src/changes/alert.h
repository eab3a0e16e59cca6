// Putting one new or changed entry to the user.
#pragma once

#include <string>

#include "changes/alert_view.h"
#include "platform/user_interface.h"

namespace corvane {

// The location as the alert shows it: control characters written out, then
// whole up to 35 characters, otherwise "..." and the last 36 characters.
std::string ShownLocation(const std::string& location);

struct AlertAnswer {
  bool remove = false;         // the user chose No
  bool same_for_rest = false;  // and wants it for the other entries of this type
};

// Shows the alert with a beep, the poll timer held while it is open. A
// window that cannot be shown raises an error rather than answer for the
// user.
AlertAnswer ShowAlert(AlertView& view, PollTimer& timer, MessageBoxes& boxes,
                      const AlertFacts& facts);

// What "Copy details" puts on the clipboard: type, full location, command
// (and the old command of a changed entry), one per line.
std::string AlertDetails(const AlertFacts& facts);

}  // namespace corvane
