#include "changes/unit5.h"

#include <algorithm>
#include <string>

#include "platform/errors.h"
#include "platform/win32/framework/list_view.h"
#include "platform/win32/framework/question_box.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FormLayout kWindow = Window(texts::kRemovedEntriesCaption, 720, 400).Sizeable();

constexpr ControlLayout kControls[] = {
    Label("Label1", 16, 14, texts::kRemovedEntriesIntro),
    ListView("ListView1", 16, 36, 688, 240).Font(kNamesFont).MultiSelect().TabOrder(0),
    // The selected entry's location and command whole, which the columns
    // may cut; for an empty list, that nothing has been removed. Labels,
    // since they draw every script in this font also where a text box does not.
    Make(ControlKind::kLabel, "Label2", 16, 284, 688, 28, "").Font(kNamesFont),
    Make(ControlKind::kLabel, "Label3", 16, 316, 688, 28, "").Font(kNamesFont),
    // What the last Put back did.
    Make(ControlKind::kLabel, "Label4", 16, 360, 400, 28, ""),
    Button("BitBtn1", 431, 360, 81, 25, texts::kPutBackButton)
        .Picture(Glyph::kOk).Default().Disabled().Hint(texts::kPutBackTip).TabOrder(1),
    Button("BitBtn2", 527, 360, 81, 25, texts::kForgetButton)
        .Picture(Glyph::kDelete).Disabled().Hint(texts::kForgetTip).TabOrder(2),
    Button("BitBtn3", 623, 360, 81, 25, texts::kCloseButton)
        .Picture(Glyph::kCancel).Cancel().Result(ModalResult::kCancel).TabOrder(3),
};
// Where Close stands from the bottom right corner; the window's growth is
// measured from it, whatever the fit to the texts or a DPI change did.
constexpr int kCloseRightMargin = 720 - (623 + 81);
constexpr int kCloseBottomMargin = 400 - (360 + 25);

// The date fits its text (see Reload); the command takes what the others leave.
const std::vector<ListColumn> kColumns = {
    {texts::kRemovedDateColumn, 110},  {texts::kRemovedNameColumn, 110},
    {texts::kRemovedTypeColumn, 105},  {texts::kRemovedLocationColumn, 200},
    {texts::kRemovedCommandColumn, 0},
};

std::string PutBackStatus(std::size_t put_back, std::size_t tried) {
  if (put_back == 0) return texts::kPutBackNoneStatus;
  if (put_back < tried) {
    return FormatText(FormatText(texts::kPutBackSomeStatus, GroupedDigits(put_back)).c_str(),
                      GroupedDigits(tried));
  }
  if (tried == 1) return texts::kPutBackOneStatus;
  return FormatText(texts::kPutBackStatus, GroupedDigits(tried));
}

const char* WhyNotPutBack(PutBackOutcome outcome) {
  switch (outcome) {
    case PutBackOutcome::kPlaceTaken:
      return texts::kPlaceTakenWarning;
    case PutBackOutcome::kAccessDenied:
      return texts::kPutBackDeniedWarning;
    case PutBackOutcome::kDamaged:
      return texts::kDamagedBackupWarning;
    case PutBackOutcome::kPutBack:
    case PutBackOutcome::kFailed:
      break;
  }
  return texts::kPutBackFailedWarning;
}

}  // namespace

TForm5::TForm5(Application& application, RemovedEntries& entries, MessageBoxes& boxes)
    : application_(application),
      form_(application, kWindow, kControls),
      list_(form_["ListView1"]),
      location_(form_["Label2"]),
      command_(form_["Label3"]),
      status_(form_["Label4"]),
      put_back_(form_["BitBtn1"]),
      forget_(form_["BitBtn2"]),
      close_(form_["BitBtn3"]),
      entries_(entries),
      boxes_(boxes) {
  SetListViewColumns(list_, kColumns);
  form_.OnActivate([this] { FormActivate(); });
  form_.OnSelect("ListView1", [this] { ListView1Select(); });
  form_.OnClick("BitBtn1", [this] { BitBtn1Click(); });
  form_.OnClick("BitBtn2", [this] { BitBtn2Click(); });
  form_.OnMessage(WM_SIZE, [this](WPARAM kind, LPARAM size, LRESULT&) {
    if (kind != SIZE_MINIMIZED) FormResize(LOWORD(size), HIWORD(size));
    return false;
  });
}

void TForm5::FormActivate() { Reload(); }

void TForm5::FormResize(int client_width, int client_height) {
  const ControlLayout& close = close_.layout();
  const int dx = client_width - form_.Scaled(kCloseRightMargin) - (close.left + close.width);
  const int dy = client_height - form_.Scaled(kCloseBottomMargin) - (close.top + close.height);
  if (dx == 0 && dy == 0) return;
  FollowGrowth(list_, dx, dy, {true, true, false, false});
  for (Control* line : {&location_, &command_}) {
    FollowGrowth(*line, dx, dy, {true, false, false, true});
  }
  FollowGrowth(status_, dx, dy, {false, false, false, true});
  for (Control* button : {&put_back_, &forget_, &close_}) {
    FollowGrowth(*button, dx, dy, {false, false, true, true});
  }
  FitListViewColumns(list_, 0);
}

void TForm5::Reload() {
  std::vector<std::string> selected;
  for (const RemovedEntry* entry : Selected()) selected.push_back(entry->id);
  // Emptied first: should List fail, no row stays that names a stale backup.
  shown_.clear();
  SetListViewRows(list_, {});
  ListView1Select();
  shown_ = entries_.List();
  std::vector<std::vector<std::string>> rows;
  rows.reserve(shown_.size());
  for (const RemovedEntry& entry : shown_) {
    rows.push_back({entry.date, entry.name, entry.type_text, entry.location, entry.command});
  }
  SetListViewRows(list_, rows);
  FitListViewColumns(list_, 0);
  for (std::size_t row = 0; row < shown_.size(); ++row) {
    if (std::find(selected.begin(), selected.end(), shown_[row].id) != selected.end()) {
      SelectListViewRow(list_, int(row));
    }
  }
  ListView1Select();
}

std::vector<const RemovedEntry*> TForm5::Selected() const {
  std::vector<const RemovedEntry*> selected;
  for (const int row : ListViewSelections(list_)) {
    if (static_cast<std::size_t>(row) < shown_.size()) {
      selected.push_back(&shown_[static_cast<std::size_t>(row)]);
    }
  }
  return selected;
}

void TForm5::ListView1Select() {
  const std::vector<const RemovedEntry*> entries = Selected();
  const bool selected = !entries.empty();
  std::string location;
  std::string command;
  if (selected) {
    location = texts::kRemovedLocationLine + entries.front()->location;
    command = texts::kRemovedCommandLine + entries.front()->command;
  } else if (shown_.empty()) {
    location = texts::kNothingRemoved;
  }
  location_.SetText(location);
  command_.SetText(command);
  // The keys stay with the list rather than go to Close, which Enter
  // would then click.
  if (!selected && (put_back_.Focused() || forget_.Focused())) list_.Focus();
  put_back_.SetEnabled(selected);
  forget_.SetEnabled(selected);
}

void TForm5::BitBtn1Click() {
  // Copies: every put back changes what the list holds.
  std::vector<RemovedEntry> chosen;
  for (const RemovedEntry* entry : Selected()) chosen.push_back(*entry);
  if (chosen.empty()) return;
  std::size_t put_back = 0;
  std::string reasons;
  for (const RemovedEntry& entry : chosen) {
    const PutBackOutcome outcome = entries_.PutBack(entry.id);
    if (outcome == PutBackOutcome::kPutBack) {
      ++put_back;
      continue;
    }
    if (!reasons.empty()) reasons += '\n';
    if (chosen.size() > 1) reasons += FormatText(texts::kPutBackReasonOf, entry.name);
    reasons += WhyNotPutBack(outcome);
  }
  // Whatever came of it, the list shows what is kept now.
  Reload();
  status_.SetText(PutBackStatus(put_back, chosen.size()));
  if (reasons.empty()) return;
  boxes_.Beep();
  boxes_.ShowWarning(reasons);
}

void TForm5::BitBtn2Click() {
  // Copies: the question's activation reloads the list under the pointer.
  std::vector<std::string> ids;
  for (const RemovedEntry* entry : Selected()) ids.push_back(entry->id);
  if (ids.empty()) return;
  boxes_.Beep();
  const std::string question =
      ids.size() == 1 ? std::string(texts::kForgetQuestion)
                      : FormatText(texts::kForgetManyQuestion, GroupedDigits(ids.size()));
  if (!AskYesNo(application_, question, DefaultAnswer::kNo)) return;
  for (const std::string& id : ids) entries_.Forget(id);
  status_.SetText("");
  Reload();
}

}  // namespace corvane
