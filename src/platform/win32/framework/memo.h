// The lines of a read-only multi-line text box.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/framework/control.h"

namespace corvane::win32 {

// Shows the lines, one per text line (long ones wrap), scrolled so that the
// last one is in view: a log is read from its newest end.
void SetMemoLines(const Control& memo, const std::vector<std::string>& lines);

}  // namespace corvane::win32
