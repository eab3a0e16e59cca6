// The columns and rows of a list view control (ControlKind::kListView).
#pragma once

#include <string>
#include <vector>

#include "platform/win32/framework/control.h"

namespace corvane::win32 {

struct ListColumn {
  const char* heading;
  int width;  // pixels; 0 for the last column: what the others leave of the list
};

// Replaces the columns; call once, before the first rows.
void SetListViewColumns(const Control& list, const std::vector<ListColumn>& columns);
// Replaces every row, each a text per column; nothing is selected afterwards.
void SetListViewRows(const Control& list, const std::vector<std::vector<std::string>>& rows);
// The selected row's index from 0, or -1 when none is selected.
int ListViewSelection(const Control& list);
// Selects the row and scrolls it into view; -1 selects none.
void SelectListViewRow(const Control& list, int row);

}  // namespace corvane::win32
