#include "changes/unit3.h"

#include <utility>

#include "changes/blacklist.h"
#include "changes/blacklist_matches.h"
#include "platform/errors.h"
#include "platform/win32/framework/list_box.h"
#include "platform/win32/framework/win32_clock.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FormLayout kWindow = Window(texts::kBlacklistCaption, 341, 306);

// The list is wider than the buttons below it, for the dates after the names.
constexpr ControlLayout kControls[] = {
    Label("Label1", 16, 16, texts::kBlacklistPrompt),
    ListBox("ListBox1", 16, 40, 305, 161).Font(kNamesFont).TabOrder(0),
    Edit("Edit1", 16, 212, 217, 23).Font(kNamesFont).EnterClicks("BitBtn4").TabOrder(1),
    Button("BitBtn4", 246, 211, 75, 25, texts::kAddButton).Hint(texts::kAddEntryTip).TabOrder(2),
    Button("BitBtn1", 16, 260, 75, 25, texts::kSaveButton)
        .Picture(Glyph::kOk).Default().Hint(texts::kSaveListTip).TabOrder(3),
    Button("BitBtn3", 112, 260, 75, 25, texts::kDeleteButton)
        .Picture(Glyph::kDelete).Hint(texts::kDeleteEntryTip).TabOrder(4),
    Button("BitBtn2", 208, 260, 75, 25, texts::kCancelButton)
        .Picture(Glyph::kCancel).Cancel().Result(ModalResult::kCancel)
        .Hint(texts::kDoNotSaveTip).TabOrder(5),
};

}  // namespace

const Clock& LocalClock() {
  static const Win32Clock clock;
  return clock;
}

TForm3::TForm3(Application& application, FileSystem& files, const DataFiles& data,
               MessageBoxes& boxes, const Clock& clock)
    : form_(application, kWindow, kControls),
      files_(files),
      data_(data),
      boxes_(boxes),
      clock_(clock) {
  form_.OnActivate([this] { FormActivate(); });
  form_.OnClick("BitBtn1", [this] { BitBtn1Click(); });
  form_.OnClick("BitBtn3", [this] { BitBtn3Click(); });
  form_.OnClick("BitBtn4", [this] { BitBtn4Click(); });
}

void TForm3::FormActivate() {
  items_.clear();
  ShowItems();
  matched_ = RecentBlacklistMatches(files_, data_.BlacklistMatches(), clock_.Now().sortable);
  // A read failure leaves the list empty and goes to the error box.
  items_ = LoadBlacklist(files_, data_.Blacklist());
  ShowItems();
}

void TForm3::ShowItems() {
  std::vector<std::string> shown;
  for (const auto& item : items_) {
    // An empty line matches nothing, as in the blacklist itself.
    const auto match = matched_.find(BlacklistName(item));
    const bool matched = !item.empty() && match != matched_.end();
    shown.push_back(matched ? item + FormatText(texts::kMatchedOn, match->second) : item);
  }
  SetListBoxItems(form_["ListBox1"], shown);
}

void TForm3::BitBtn1Click() {
  SaveBlacklist(files_, data_.Blacklist(), items_);
  boxes_.Beep();
  boxes_.ShowInformation(texts::kBlacklistSaved);
  form_.Close(ModalResult::kOk);
}

void TForm3::BitBtn3Click() {
  items_ = WithoutSelected(items_, ListBoxSelection(form_["ListBox1"]));
  ShowItems();
}

void TForm3::BitBtn4Click() {
  Control& box = form_["Edit1"];
  auto added = WithAdded(items_, box.Text());
  if (added.size() == items_.size()) return;
  items_ = std::move(added);
  ShowItems();
  SelectListBoxItem(form_["ListBox1"], static_cast<int>(items_.size()) - 1);
  box.SetText("");
  // Ready for the next name.
  SetFocus(box.handle());
}

}  // namespace corvane
