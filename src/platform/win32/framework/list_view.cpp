#include "platform/win32/framework/list_view.h"

#include "platform/win32/framework/dpi.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {

void SetListViewColumns(const Control& list, const std::vector<ListColumn>& columns) {
  const HWND window = list.handle();
  while (SendMessageW(window, LVM_DELETECOLUMN, 0, 0) != FALSE) {
  }
  // The last column ends where the list does, also once the vertical scroll
  // bar shows, so that no horizontal one is ever needed.
  RECT client{};
  GetClientRect(window, &client);
  int rest = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
  // The widths are layout pixels, drawn for 96 dpi.
  const int dpi = DpiOf(window);
  for (std::size_t index = 0; index < columns.size(); ++index) {
    const bool last = index + 1 == columns.size();
    const int width = last && columns[index].width == 0 ? rest
                                                        : ScaledToDpi(columns[index].width, dpi);
    rest -= width;
    std::wstring heading = Wide(columns[index].heading);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = width > 0 ? width : 0;
    column.pszText = &heading[0];
    column.iSubItem = static_cast<int>(index);
    SendMessageW(window, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  }
}

void SetListViewRows(const Control& list, const std::vector<std::vector<std::string>>& rows) {
  const HWND window = list.handle();
  SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t cell = 0; cell < rows[row].size(); ++cell) {
      std::wstring text = Wide(rows[row][cell]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(row);
      item.iSubItem = static_cast<int>(cell);
      item.pszText = &text[0];
      // A row comes in with its first text; the others are set on it.
      SendMessageW(window, cell == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row,
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window, nullptr, TRUE);
}

void FitListViewColumns(const Control& list, int fitted_column) {
  const HWND window = list.handle();
  const HWND header = reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  if (count <= 0) return;
  SendMessageW(window, LVM_SETCOLUMNWIDTH, WPARAM(fitted_column), LVSCW_AUTOSIZE_USEHEADER);
  // As SetListViewColumns: room for the vertical scroll bar, never a horizontal one.
  RECT client{};
  GetClientRect(window, &client);
  int rest = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
  for (int column = 0; column + 1 < count; ++column) {
    rest -= static_cast<int>(SendMessageW(window, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
  }
  SendMessageW(window, LVM_SETCOLUMNWIDTH, WPARAM(count - 1), rest > 0 ? rest : 0);
}

int ListViewSelection(const Control& list) {
  const LRESULT row = SendMessageW(list.handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
  return row < 0 ? -1 : static_cast<int>(row);
}

std::vector<int> ListViewSelections(const Control& list) {
  std::vector<int> rows;
  LRESULT row = -1;
  while ((row = SendMessageW(list.handle(), LVM_GETNEXTITEM, WPARAM(row), LVNI_SELECTED)) >= 0) {
    rows.push_back(static_cast<int>(row));
  }
  return rows;
}

void SelectListViewRow(const Control& list, int row) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  // Row -1 stands for every row: all of them lose the selection.
  state.state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list.handle(), LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
  if (row >= 0) SendMessageW(list.handle(), LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

}  // namespace corvane::win32
