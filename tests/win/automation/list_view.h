// A list view control of another process, read and driven as a user would.
// Its records live in that process's memory; both programs must be of one
// bitness.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace corvane::automation {

std::vector<std::string> ListViewHeadings(HWND list);
// Every row, a text per column, as UTF-8.
std::vector<std::vector<std::string>> ListViewRows(HWND list);
// The selected row from 0, or -1.
int ListViewSelection(HWND list);
// Where the row lies in the list's client area; empty when there is no such row.
RECT ListViewRowRect(HWND list, int row);

// The window's list view control, or null.
HWND ListViewIn(HWND top_level);
// Scrolls the row into view and clicks its first cell, as a user selects
// it; true once it is the selected row.
bool ClickListViewRow(HWND list, int row);

}  // namespace corvane::automation
