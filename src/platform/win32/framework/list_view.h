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
// Sizes that column to the widest of its texts and heading, and makes the
// last column take what the others leave of the list.
void FitListViewColumns(const Control& list, int fitted_column);
// The selected row's index from 0, or -1 when none is selected; the first
// one when several are.
int ListViewSelection(const Control& list);
// Every selected row, in order.
std::vector<int> ListViewSelections(const Control& list);
// Selects the row too (other selected rows stay selected in a list that
// takes several) and scrolls it into view; -1 selects none.
void SelectListViewRow(const Control& list, int row);

}  // namespace corvane::win32
