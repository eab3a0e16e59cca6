#include "changes/unit5.h"

#include <optional>
#include <string>

#include "platform/win32/framework/list_view.h"
#include "platform/win32/framework/question_box.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FormLayout kWindow = Window(texts::kRemovedEntriesCaption, 720, 400);

constexpr ControlLayout kControls[] = {
    Label("Label1", 16, 14, texts::kRemovedEntriesIntro),
    ListView("ListView1", 16, 36, 688, 240).Font(kNamesFont).TabOrder(0),
    // The selected entry's location and command whole, which the columns
    // may cut; for an empty list, that nothing has been removed. Labels,
    // since they draw every script in this font also where a text box does not.
    Make(ControlKind::kLabel, "Label2", 16, 284, 688, 28, "").Font(kNamesFont),
    Make(ControlKind::kLabel, "Label3", 16, 316, 688, 28, "").Font(kNamesFont),
    Button("BitBtn1", 431, 360, 81, 25, texts::kPutBackButton)
        .Picture(Glyph::kOk).Default().Disabled().Hint(texts::kPutBackTip).TabOrder(1),
    Button("BitBtn2", 527, 360, 81, 25, texts::kForgetButton)
        .Picture(Glyph::kDelete).Disabled().Hint(texts::kForgetTip).TabOrder(2),
    Button("BitBtn3", 623, 360, 81, 25, texts::kCloseButton)
        .Picture(Glyph::kCancel).Cancel().Result(ModalResult::kCancel).TabOrder(3),
};

// Wide enough for a date and time in the common formats and for the
// longest type; location and command share the rest.
const std::vector<ListColumn> kColumns = {
    {texts::kRemovedDateColumn, 125},
    {texts::kRemovedTypeColumn, 105},
    {texts::kRemovedLocationColumn, 240},
    {texts::kRemovedCommandColumn, 0},
};

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
      put_back_(form_["BitBtn1"]),
      forget_(form_["BitBtn2"]),
      entries_(entries),
      boxes_(boxes) {
  SetListViewColumns(list_, kColumns);
  form_.OnActivate([this] { FormActivate(); });
  form_.OnSelect("ListView1", [this] { ListView1Select(); });
  form_.OnClick("BitBtn1", [this] { BitBtn1Click(); });
  form_.OnClick("BitBtn2", [this] { BitBtn2Click(); });
}

void TForm5::FormActivate() { Reload(); }

void TForm5::Reload() {
  const RemovedEntry* selected_entry = Selected();
  const std::optional<std::string> selected =
      selected_entry != nullptr ? std::optional<std::string>(selected_entry->id) : std::nullopt;
  // Emptied first: should List fail, no row stays that names a stale backup.
  shown_.clear();
  SetListViewRows(list_, {});
  ListView1Select();
  shown_ = entries_.List();
  std::vector<std::vector<std::string>> rows;
  rows.reserve(shown_.size());
  for (const RemovedEntry& entry : shown_) {
    rows.push_back({entry.date, entry.type_text, entry.location, entry.command});
  }
  SetListViewRows(list_, rows);
  for (std::size_t row = 0; row < shown_.size(); ++row) {
    if (shown_[row].id == selected) SelectListViewRow(list_, int(row));
  }
  ListView1Select();
}

const RemovedEntry* TForm5::Selected() const {
  const int row = ListViewSelection(list_);
  if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) return nullptr;
  return &shown_[static_cast<std::size_t>(row)];
}

void TForm5::ListView1Select() {
  const RemovedEntry* entry = Selected();
  const bool selected = entry != nullptr;
  std::string location;
  std::string command;
  if (selected) {
    location = texts::kRemovedLocationLine + entry->location;
    command = texts::kRemovedCommandLine + entry->command;
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
  const RemovedEntry* entry = Selected();
  if (entry == nullptr) return;
  const PutBackOutcome outcome = entries_.PutBack(entry->id);
  // Whatever came of it, the list shows what is kept now.
  Reload();
  if (outcome == PutBackOutcome::kPutBack) return;
  boxes_.Beep();
  boxes_.ShowWarning(WhyNotPutBack(outcome));
}

void TForm5::BitBtn2Click() {
  const RemovedEntry* entry = Selected();
  if (entry == nullptr) return;
  // A copy: the question's activation reloads the list under the pointer.
  const std::string id = entry->id;
  boxes_.Beep();
  if (!AskYesNo(application_, texts::kForgetQuestion, DefaultAnswer::kNo)) return;
  entries_.Forget(id);
  Reload();
}

}  // namespace corvane
