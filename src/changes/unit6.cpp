#include "changes/unit6.h"

#include <commdlg.h>
#include <shellapi.h>

#include <chrono>
#include <set>

#include "changes/signature_texts.h"
#include "platform/errors.h"
#include "platform/win32/framework/clipboard.h"
#include "platform/win32/framework/list_view.h"
#include "platform/win32/framework/menus.h"
#include "platform/win32/framework/question_box.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr int kWidth = 980;
constexpr int kHeight = 500;
constexpr int kInnerWidth = kWidth - 2 * 16;
constexpr int kCloseLeft = kWidth - 16 - 81;
constexpr FormLayout kWindow =
    Window(texts::kStartupEntriesCaption, kWidth, kHeight).Sizeable().MinimizeAndMaximize();

constexpr ControlLayout kControls[] = {
    Label("Label1", 16, 17, texts::kSearchLabel),
    Edit("Edit1", 70, 13, 250, 22).Font(kNamesFont).TabOrder(0),
    CheckBox("CheckBox1", 340, 15, 250, 17, texts::kHideWindowsOwnBox).Checked().TabOrder(1),
    ListView("ListView1", 16, 44, kInnerWidth, 376)
        .Font(kNamesFont)
        .MultiSelect()
        .Virtual()
        .TabOrder(2),
    // How many rows are shown, and what the last action did.
    Make(ControlKind::kLabel, "Label2", 16, 428, kInnerWidth, 17, ""),
    Button("BitBtn1", 16, 459, 81, 25, texts::kDisableButton)
        .Disabled()
        .Hint(texts::kDisableTip)
        .TabOrder(3),
    Button("BitBtn2", 105, 459, 81, 25, texts::kEnableButton).Disabled().TabOrder(4),
    Button("BitBtn3", 194, 459, 81, 25, texts::kRemoveButton)
        .Picture(Glyph::kDelete)
        .Disabled()
        .Hint(texts::kRemoveTip)
        .TabOrder(5),
    Button("BitBtn4", 300, 459, 120, 25, texts::kRemovedEntriesButton).TabOrder(6),
    Button("BitBtn5", 428, 459, 81, 25, texts::kExportButton).TabOrder(7),
    Button("BitBtn6", kCloseLeft, 459, 81, 25, texts::kCloseButton)
        .Picture(Glyph::kCancel)
        .Cancel()
        .Result(ModalResult::kCancel)
        .TabOrder(8),
};
// Where Close stands from the bottom right corner; the window's growth is
// measured from it.
constexpr int kCloseRightMargin = kWidth - (kCloseLeft + 81);
constexpr int kCloseBottomMargin = kHeight - (459 + 25);

// The slow facts come in on this timer, a slice at a time: a timer's
// message waits behind input and painting, so the window keeps answering.
constexpr UINT_PTR kFactsTimer = 61;
constexpr auto kFactsSlice = std::chrono::milliseconds(25);
// Posted by the signature worker when results came.
constexpr UINT kSignaturesMessage = WM_APP + 61;

enum Command {
  kDisableCommand = 601,
  kEnableCommand,
  kRemoveCommand,
  kOpenLocationCommand,
  kSearchOnlineCommand,
  kCopyDetailsCommand,
  kPropertiesCommand,
};

const std::vector<MenuItem> kContextMenu = {
    {texts::kDisableButton, kDisableCommand, {}, false},
    {texts::kEnableButton, kEnableCommand, {}, false},
    {texts::kRemoveButton, kRemoveCommand, {}, false},
    {nullptr, 0, {}, false},
    {texts::kOpenFileLocationItem, kOpenLocationCommand, {}, false},
    {texts::kSearchOnlineItem, kSearchOnlineCommand, {}, false},
    {texts::kCopyDetailsItem, kCopyDetailsCommand, {}, false},
    {nullptr, 0, {}, false},
    {texts::kPropertiesItem, kPropertiesCommand, {}, true},
};

// Text for a web address's query: UTF-8, every byte but the unreserved ones escaped.
std::string QueryText(const std::string& text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string query;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '_' || c == '.' || c == '~') {
      query += c;
    } else {
      query += '%';
      query += kDigits[byte >> 4];
      query += kDigits[byte & 15];
    }
  }
  return query;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

std::string CountOf(const char* text, std::size_t done, std::size_t tried) {
  return FormatText(FormatText(text, GroupedDigits(done)).c_str(), GroupedDigits(tried));
}

bool AnySwitchable(const std::vector<StartupRow*>& rows, EntryStatus from) {
  for (const StartupRow* row : rows) {
    if (row->can_switch && row->status == from) return true;
  }
  return false;
}

}  // namespace

TForm6::TForm6(Application& application, StartupEntries& entries, SignatureWorker& signatures,
               TForm5& removed_entries, MessageBoxes& boxes)
    : application_(application),
      form_(application, kWindow, kControls),
      search_(form_["Edit1"]),
      hide_own_(form_["CheckBox1"]),
      list_(form_["ListView1"]),
      status_(form_["Label2"]),
      disable_(form_["BitBtn1"]),
      enable_(form_["BitBtn2"]),
      remove_(form_["BitBtn3"]),
      removed_(form_["BitBtn4"]),
      export_(form_["BitBtn5"]),
      close_(form_["BitBtn6"]),
      entries_(entries),
      signatures_(signatures),
      removed_entries_(removed_entries),
      boxes_(boxes) {
  std::vector<ListColumn> columns;
  for (const auto& info : StartupColumns()) columns.push_back({info.heading, info.width});
  SetListViewColumns(list_, columns);
  ConnectHandlers();
}

TForm6::~TForm6() { signatures_.Forget(form_.handle()); }

void TForm6::ConnectHandlers() {
  form_.OnClick("CheckBox1", [this] { CheckBox1Click(); });
  form_.OnSelect("ListView1", [this] { ListView1Select(); });
  form_.OnClick("BitBtn1", [this] { BitBtn1Click(); });
  form_.OnClick("BitBtn2", [this] { BitBtn2Click(); });
  form_.OnClick("BitBtn3", [this] { BitBtn3Click(); });
  form_.OnClick("BitBtn4", [this] { BitBtn4Click(); });
  form_.OnClick("BitBtn5", [this] { BitBtn5Click(); });
  form_.OnCommand(kDisableCommand, [this] { BitBtn1Click(); });
  form_.OnCommand(kEnableCommand, [this] { BitBtn2Click(); });
  form_.OnCommand(kRemoveCommand, [this] { BitBtn3Click(); });
  form_.OnCommand(kOpenLocationCommand, [this] { OpenFileLocation(); });
  form_.OnCommand(kSearchOnlineCommand, [this] { SearchOnline(); });
  form_.OnCommand(kCopyDetailsCommand, [this] { CopyDetails(); });
  form_.OnCommand(kPropertiesCommand, [this] { ShowProperties(); });
  form_.OnMessage(WM_COMMAND, [this](WPARAM wparam, LPARAM lparam, LRESULT&) {
    if (HIWORD(wparam) == EN_CHANGE && reinterpret_cast<HWND>(lparam) == search_.handle()) {
      application_.Guarded([this] { Edit1Change(); });
    }
    return false;
  });
  form_.OnMessage(WM_NOTIFY, [this](WPARAM, LPARAM lparam, LRESULT& result) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
    if (header.hwndFrom != list_.handle()) return false;
    switch (header.code) {
      case LVN_GETDISPINFOW:
        FillCell(*reinterpret_cast<NMLVDISPINFOW*>(lparam));
        result = 0;
        return true;
      case LVN_COLUMNCLICK:
        SortBy(reinterpret_cast<const NMLISTVIEW*>(lparam)->iSubItem);
        return true;
      case NM_DBLCLK:
        application_.Guarded([this] { ShowProperties(); });
        return true;
      case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(lparam)->wVKey;
        const bool control = GetKeyState(VK_CONTROL) < 0;
        application_.Guarded([&] {
          if (key == VK_DELETE) BitBtn3Click();
          if (key == VK_F5) Reload();
          if (control && key == 'C') CopyDetails();
          if (control && key == 'A') {
            LVITEMW all{};
            all.stateMask = all.state = LVIS_SELECTED;
            SendMessageW(list_.handle(), LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&all));
          }
        });
        return false;
      }
      default:
        return false;
    }
  });
  form_.OnMessage(WM_CONTEXTMENU, [this](WPARAM wparam, LPARAM lparam, LRESULT&) {
    if (reinterpret_cast<HWND>(wparam) != list_.handle()) return false;
    ShowContextMenu(lparam);
    return true;
  });
  form_.OnMessage(WM_TIMER, [this](WPARAM id, LPARAM, LRESULT&) {
    if (id != kFactsTimer) return false;
    application_.Guarded([this] {
      if (!AddSomeFacts()) KillTimer(form_.handle(), kFactsTimer);
    });
    return true;
  });
  form_.OnMessage(kSignaturesMessage, [this](WPARAM, LPARAM, LRESULT&) {
    TakeSignatures();
    return true;
  });
  form_.OnMessage(WM_SIZE, [this](WPARAM kind, LPARAM size, LRESULT&) {
    if (kind != SIZE_MINIMIZED) FormResize(LOWORD(size), HIWORD(size));
    return false;
  });
}

ModalResult TForm6::ShowModal() {
  action_status_.clear();
  application_.Guarded([this] { Reload(); });
  const ModalResult result = form_.ShowModal();
  KillTimer(form_.handle(), kFactsTimer);
  return result;
}

void TForm6::Reload() {
  std::vector<std::string> selected;
  for (const StartupRow* row : Selected()) selected.push_back(row->entry);
  // Emptied first: should the scan fail, no row stays that names a stale entry.
  rows_.clear();
  shown_.clear();
  SendMessageW(list_.handle(), LVM_SETITEMCOUNT, 0, 0);
  facts_done_ = 0;
  windows_own_ = 0;
  unchecked_ = 0;
  rows_ = entries_.List();
  Refilter();
  SelectEntries(selected);
  SetTimer(form_.handle(), kFactsTimer, USER_TIMER_MINIMUM, nullptr);
}

void TForm6::Refilter() {
  std::vector<std::string> selected;
  for (const StartupRow* row : Selected()) selected.push_back(row->entry);
  shown_ = ShownRows(rows_, {search_.Text(), hide_own_.Checked()}, order_);
  const HWND list = list_.handle();
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&none));
  SendMessageW(list, LVM_SETITEMCOUNT, shown_.size(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  SelectEntries(selected);
  InvalidateRect(list, nullptr, FALSE);
  ListView1Select();
}

void TForm6::SelectEntries(const std::vector<std::string>& entries) {
  if (entries.empty()) return;
  const std::set<std::string> wanted(entries.begin(), entries.end());
  bool first = true;
  for (std::size_t at = 0; at < shown_.size(); ++at) {
    if (wanted.count(rows_[shown_[at]].entry) == 0) continue;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | (first ? LVIS_FOCUSED : 0u);
    item.state = item.stateMask;
    SendMessageW(list_.handle(), LVM_SETITEMSTATE, at, LPARAM(&item));
    if (first) SendMessageW(list_.handle(), LVM_ENSUREVISIBLE, at, FALSE);
    first = false;
  }
}

void TForm6::ShowStatus() {
  std::string text = action_status_.empty() ? "" : action_status_ + "  ";
  text += CountOf(texts::kShownStatus, shown_.size(), rows_.size());
  if (facts_done_ < rows_.size() || unchecked_ != 0) text += texts::kCheckingStatus;
  status_.SetText(text);
}

std::vector<StartupRow*> TForm6::Selected() {
  std::vector<StartupRow*> selected;
  for (const int at : ListViewSelections(list_)) {
    if (at >= 0 && static_cast<std::size_t>(at) < shown_.size()) {
      selected.push_back(&rows_[shown_[static_cast<std::size_t>(at)]]);
    }
  }
  return selected;
}

void TForm6::Edit1Change() { Refilter(); }

void TForm6::CheckBox1Click() { Refilter(); }

void TForm6::ListView1Select() {
  const auto selected = Selected();
  disable_.SetEnabled(AnySwitchable(selected, EntryStatus::kEnabled));
  enable_.SetEnabled(AnySwitchable(selected, EntryStatus::kDisabled));
  remove_.SetEnabled(!selected.empty());
  ShowStatus();
}

void TForm6::FillCell(NMLVDISPINFOW& info) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.cchTextMax <= 0) return;
  const auto& columns = StartupColumns();
  const auto at = static_cast<std::size_t>(info.item.iItem);
  const auto column = static_cast<std::size_t>(info.item.iSubItem);
  std::string text;
  if (at < shown_.size() && column < columns.size()) {
    text = CellText(rows_[shown_[at]], columns[column].column);
  }
  lstrcpynW(info.item.pszText, Wide(text).c_str(), info.item.cchTextMax);
}

bool TForm6::AddSomeFacts() {
  const auto until = std::chrono::steady_clock::now() + kFactsSlice;
  std::vector<std::string> programs;
  while (facts_done_ < rows_.size() && std::chrono::steady_clock::now() < until) {
    StartupRow& row = rows_[facts_done_++];
    entries_.AddProgramFacts(row);
    if (!row.program.empty()) programs.push_back(row.program);
  }
  if (!programs.empty()) signatures_.Request(programs, form_.handle(), kSignaturesMessage);
  TakeSignatures();
  InvalidateRect(list_.handle(), nullptr, FALSE);
  ShowStatus();
  return facts_done_ < rows_.size();
}

void TForm6::TakeSignatures() {
  std::size_t own = 0;
  unchecked_ = 0;
  for (std::size_t at = 0; at < facts_done_ && at < rows_.size(); ++at) {
    StartupRow& row = rows_[at];
    if (row.program.empty()) continue;
    row.signature = signatures_.Known(row.program);
    if (IsWindowsOwn(row.signature)) ++own;
    if (row.signature.state == SignatureState::kUnknown) ++unchecked_;
  }
  // Rows go only when the box hides them; the others change in place.
  if (own != windows_own_ && hide_own_.Checked()) {
    windows_own_ = own;
    Refilter();
  } else {
    windows_own_ = own;
    InvalidateRect(list_.handle(), nullptr, FALSE);
    ShowStatus();
  }
}

void TForm6::SortBy(int column) {
  const auto& columns = StartupColumns();
  if (column < 0 || static_cast<std::size_t>(column) >= columns.size()) return;
  const auto chosen = columns[static_cast<std::size_t>(column)].column;
  order_.descending = order_.by_column && order_.column == chosen && !order_.descending;
  order_.by_column = true;
  order_.column = chosen;
  // The heading shows the order.
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list_.handle(), LVM_GETHEADER, 0, 0));
  for (int at = 0; at < static_cast<int>(columns.size()); ++at) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, at, LPARAM(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (at == column) item.fmt |= order_.descending ? HDF_SORTDOWN : HDF_SORTUP;
    SendMessageW(header, HDM_SETITEMW, at, LPARAM(&item));
  }
  Refilter();
}

void TForm6::SetSwitches(bool enabled) {
  const auto from = enabled ? EntryStatus::kDisabled : EntryStatus::kEnabled;
  std::size_t tried = 0;
  std::size_t changed = 0;
  for (StartupRow* row : Selected()) {
    if (!row->can_switch || row->status != from) continue;
    ++tried;
    if (entries_.SetEnabled(*row, enabled)) ++changed;
  }
  if (tried == 0) return;
  action_status_ = CountOf(texts::kSwitchedStatus, changed, tried);
  InvalidateRect(list_.handle(), nullptr, FALSE);
  ListView1Select();
  if (changed == tried) return;
  boxes_.Beep();
  boxes_.ShowWarning(texts::kNotSwitchedWarning);
}

void TForm6::BitBtn1Click() { SetSwitches(false); }

void TForm6::BitBtn2Click() { SetSwitches(true); }

void TForm6::BitBtn3Click() {
  // Copies: the question's activation and the reload change the rows.
  std::vector<StartupRow> chosen;
  for (const StartupRow* row : Selected()) chosen.push_back(*row);
  if (chosen.empty()) return;
  boxes_.Beep();
  const std::string question =
      chosen.size() == 1 ? FormatText(texts::kRemoveQuestion, chosen.front().name)
                         : FormatText(texts::kRemoveManyQuestion, GroupedDigits(chosen.size()));
  if (!AskYesNo(application_, question, DefaultAnswer::kNo)) return;
  std::size_t removed = 0;
  std::string reasons;
  for (const StartupRow& row : chosen) {
    const RemoveOutcome outcome = entries_.Remove(row);
    if (outcome.removed) {
      ++removed;
      continue;
    }
    reasons += "\n" + row.location + "\\" + row.name;
    if (!outcome.why.empty()) reasons += texts::kNotRemovedBecause + outcome.why;
  }
  Reload();
  action_status_ = CountOf(texts::kRemovedStatus, removed, chosen.size());
  ShowStatus();
  if (reasons.empty()) return;
  boxes_.Beep();
  boxes_.ShowWarning(std::string(texts::kListNotRemovedWarning) + "\n" + reasons);
}

void TForm6::BitBtn4Click() {
  removed_entries_.ShowModal();
  // Something may have been put back.
  Reload();
}

void TForm6::BitBtn5Click() {
  std::wstring filter = Wide(texts::kExportFilter);
  for (auto& c : filter) {
    if (c == L'|') c = L'\0';
  }
  std::wstring name = Wide(texts::kExportDefaultName);
  name.resize(MAX_PATH * 4, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = form_.handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = &name[0];
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrDefExt = L"csv";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return;
  const std::string path = Utf8(name.c_str(), wcslen(name.c_str()));
  // The rows as shown, each with all its facts.
  std::vector<StartupRow> rows;
  for (const std::size_t at : shown_) {
    entries_.AddProgramFacts(rows_[at]);
    rows.push_back(rows_[at]);
  }
  try {
    entries_.Export(path, rows);
  } catch (const InOutError& error) {
    boxes_.Beep();
    boxes_.ShowWarning(FormatText(texts::kExportFailed, path) + " " + error.what());
    return;
  }
  action_status_ =
      FormatText(FormatText(texts::kExportedStatus, GroupedDigits(rows.size())).c_str(), path);
  ShowStatus();
}

StartupRow* TForm6::FirstSelectedWithProgram() {
  const auto selected = Selected();
  if (selected.empty()) return nullptr;
  entries_.AddProgramFacts(*selected.front());
  return selected.front()->program.empty() ? nullptr : selected.front();
}

void TForm6::OpenFileLocation() {
  const StartupRow* row = FirstSelectedWithProgram();
  if (row == nullptr) return boxes_.Beep();
  const std::wstring arguments =
      Wide(std::string(texts::kShellSelectSwitch) + '"' + row->program + '"');
  ShellExecuteW(form_.handle(), Wide(texts::kShellOpen).c_str(), Wide(texts::kShellExplore).c_str(),
                arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

void TForm6::SearchOnline() {
  const auto selected = Selected();
  if (selected.empty()) return;
  const StartupRow* row = FirstSelectedWithProgram();
  const std::string name = row != nullptr ? FileNameOf(row->program) : selected.front()->name;
  ShellExecuteW(form_.handle(), Wide(texts::kShellOpen).c_str(),
                Wide(FormatText(texts::kSearchOnlineAddress, QueryText(name))).c_str(), nullptr,
                nullptr, SW_SHOWNORMAL);
}

void TForm6::CopyDetails() {
  std::string details;
  for (StartupRow* row : Selected()) {
    entries_.AddProgramFacts(*row);
    details += (details.empty() ? "" : "\r\n") + RowDetails(*row);
  }
  if (details.empty() || !PutOnClipboard(form_.handle(), details)) boxes_.Beep();
}

void TForm6::ShowProperties() {
  const StartupRow* row = FirstSelectedWithProgram();
  if (row == nullptr) return boxes_.Beep();
  const std::wstring file = Wide(row->program);
  const std::wstring verb = Wide(texts::kShellProperties);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = form_.handle();
  info.lpVerb = verb.c_str();
  info.lpFile = file.c_str();
  info.nShow = SW_SHOW;
  ShellExecuteExW(&info);
}

void TForm6::ShowContextMenu(LPARAM at) {
  const auto selected = Selected();
  if (selected.empty()) return;
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {  // the menu key: beside the focused row
    const HWND list = list_.handle();
    auto focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    if (focused < 0) focused = ListViewSelection(list_);
    RECT row{};
    row.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, focused, LPARAM(&row));
    point = {row.left + 16, row.bottom};
    ClientToScreen(list, &point);
  }
  const MenuHandle menu = MakePopupMenu(kContextMenu);
  const auto enable = [&menu](int command, bool enabled) {
    EnableMenuItem(menu.get(), command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(kDisableCommand, AnySwitchable(selected, EntryStatus::kEnabled));
  enable(kEnableCommand, AnySwitchable(selected, EntryStatus::kDisabled));
  const int command = TrackPopup(form_.handle(), menu.get(), point);
  if (command != 0) PostMessageW(form_.handle(), WM_COMMAND, WPARAM(command), 0);
}

void TForm6::FormResize(int client_width, int client_height) {
  const ControlLayout& close = close_.layout();
  const int dx = client_width - form_.Scaled(kCloseRightMargin) - (close.left + close.width);
  const int dy = client_height - form_.Scaled(kCloseBottomMargin) - (close.top + close.height);
  if (dx == 0 && dy == 0) return;
  FollowGrowth(list_, dx, dy, {true, true, false, false});
  FollowGrowth(status_, dx, dy, {true, false, false, true});
  for (Control* button : {&disable_, &enable_, &remove_, &removed_, &export_}) {
    FollowGrowth(*button, dx, dy, {false, false, false, true});
  }
  FollowGrowth(close_, dx, dy, {false, false, true, true});
}

}  // namespace corvane
