// The items of a list box control, as strings in list order.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/framework/control.h"

namespace corvane::win32 {

std::vector<std::string> ListBoxItems(const Control& list);
// Replaces every item; nothing is selected afterwards.
void SetListBoxItems(const Control& list, const std::vector<std::string>& items);
// The selected item's index from 0, or -1 when none is selected.
int ListBoxSelection(const Control& list);
// Selects the item (and scrolls it into view); -1 selects none.
void SelectListBoxItem(const Control& list, int index);

}  // namespace corvane::win32
