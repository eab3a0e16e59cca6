// The lines of a read-only multi-line text box.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/framework/control.h"

namespace corvane::win32 {

// Shows the lines, one per text line (long ones wrap), from the top.
void SetMemoLines(const Control& memo, const std::vector<std::string>& lines);

}  // namespace corvane::win32
