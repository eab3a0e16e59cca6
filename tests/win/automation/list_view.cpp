#include "automation/list_view.h"

#include <commctrl.h>

#include <cwchar>

#include "automation/input.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "platform/win32/wide.h"

namespace corvane::automation {
namespace {

// The most of a cell's text that is read, in UTF-16 units.
constexpr std::size_t kLongestText = 4096;

// A record and a text buffer in the list's process, freed again when this goes.
class RemoteRecord {
 public:
  explicit RemoteRecord(HWND list) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(list, &process_id);
    process_ = KernelHandle(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id));
    if (process_.get() != nullptr) {
      address_ = static_cast<char*>(VirtualAllocEx(process_.get(), nullptr, kSize, MEM_COMMIT,
                                                   PAGE_READWRITE));
    }
  }
  ~RemoteRecord() {
    if (address_ != nullptr) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  }
  RemoteRecord(const RemoteRecord&) = delete;
  RemoteRecord& operator=(const RemoteRecord&) = delete;

  bool ok() const { return address_ != nullptr; }
  LPARAM record() const { return reinterpret_cast<LPARAM>(address_); }
  wchar_t* text() const { return reinterpret_cast<wchar_t*>(address_ + kRecordSize); }

  template <typename Record>
  void Put(const Record& record) {
    static_assert(sizeof(Record) <= kRecordSize);
    const wchar_t empty = L'\0';
    SIZE_T moved = 0;
    WriteProcessMemory(process_.get(), address_, &record, sizeof record, &moved);
    WriteProcessMemory(process_.get(), text(), &empty, sizeof empty, &moved);
  }
  template <typename Record>
  Record Get() const {
    Record record{};
    SIZE_T moved = 0;
    ReadProcessMemory(process_.get(), address_, &record, sizeof record, &moved);
    return record;
  }
  std::string Text() const {
    wchar_t text_here[kLongestText + 1] = {};
    SIZE_T moved = 0;
    ReadProcessMemory(process_.get(), text(), text_here, kLongestText * sizeof(wchar_t), &moved);
    return win32::Utf8(text_here, std::wcslen(text_here));
  }

 private:
  static constexpr std::size_t kRecordSize = 256;
  static constexpr std::size_t kSize = kRecordSize + (kLongestText + 1) * sizeof(wchar_t);
  KernelHandle process_;
  char* address_ = nullptr;
};

int ColumnCount(HWND list) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return header == nullptr ? 0 : static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

}  // namespace

std::vector<std::string> ListViewHeadings(HWND list) {
  std::vector<std::string> headings;
  RemoteRecord remote(list);
  if (!remote.ok()) return headings;
  for (int index = 0; index < ColumnCount(list); ++index) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = remote.text();
    column.cchTextMax = int(kLongestText);
    remote.Put(column);
    SendMessageW(list, LVM_GETCOLUMNW, WPARAM(index), remote.record());
    headings.push_back(remote.Text());
  }
  return headings;
}

std::vector<std::vector<std::string>> ListViewRows(HWND list) {
  std::vector<std::vector<std::string>> rows;
  RemoteRecord remote(list);
  if (!remote.ok()) return rows;
  const int columns = ColumnCount(list);
  const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = remote.text();
      item.cchTextMax = int(kLongestText);
      remote.Put(item);
      SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), remote.record());
      cells.push_back(remote.Text());
    }
    rows.push_back(cells);
  }
  return rows;
}

int ListViewSelection(HWND list) {
  const LRESULT row = SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
  return row < 0 ? -1 : static_cast<int>(row);
}

RECT ListViewRowRect(HWND list, int row) {
  RemoteRecord remote(list);
  RECT rect{LVIR_BOUNDS, 0, 0, 0};
  if (!remote.ok()) return RECT{};
  remote.Put(rect);
  if (!SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), remote.record())) return RECT{};
  return remote.Get<RECT>();
}

HWND ListViewIn(HWND top_level) {
  for (const ControlInfo& control : ChildrenOf(top_level)) {
    if (control.class_name == "SYSLISTVIEW32") return control.window;
  }
  return nullptr;
}

bool ClickListViewRow(HWND list, int row) {
  SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
  const RECT rect = ListViewRowRect(list, row);
  if (rect.bottom <= rect.top) return false;
  ClickAt(list, POINT{rect.left + 8, (rect.top + rect.bottom) / 2});
  return WaitUntil([&] { return ListViewSelection(list) == row; });
}

}  // namespace corvane::automation
