// Putting one new or changed entry to the user.
#pragma once

#include <string>

#include "changes/alert_view.h"
#include "platform/user_interface.h"

namespace corvane {

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
// (the old and the new one of a changed entry) and the publisher when known,
// each after its caption, joined with CR LF.
std::string AlertDetails(const AlertFacts& facts);

}  // namespace corvane
