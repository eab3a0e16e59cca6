#include "changes/unit3.h"

#include "changes/blacklist.h"
#include "platform/win32/framework/list_box.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FormLayout kWindow = Window(texts::kBlacklistCaption, 301, 270);

constexpr ControlLayout kControls[] = {
    Label("Label1", 16, 16, texts::kBlacklistPrompt),
    ListBox("ListBox1", 16, 40, 265, 161).Font(kNamesFont).TabOrder(0),
    Button("BitBtn1", 16, 224, 75, 25, texts::kSaveButton)
        .Picture(Glyph::kOk).Default().Hint(texts::kSaveListTip).TabOrder(1),
    Button("BitBtn3", 112, 224, 75, 25, texts::kDeleteButton)
        .Picture(Glyph::kDelete).Hint(texts::kDeleteEntryTip).TabOrder(2),
    Button("BitBtn2", 208, 224, 75, 25, texts::kCancelButton)
        .Picture(Glyph::kCancel).Cancel().Result(ModalResult::kCancel)
        .Hint(texts::kDoNotSaveTip).TabOrder(3),
};

}  // namespace

TForm3::TForm3(Application& application, FileSystem& files, const DataFiles& data,
               MessageBoxes& boxes)
    : form_(application, kWindow, kControls), files_(files), data_(data), boxes_(boxes) {
  form_.OnActivate([this] { FormActivate(); });
  form_.OnClick("BitBtn1", [this] { BitBtn1Click(); });
  form_.OnClick("BitBtn3", [this] { BitBtn3Click(); });
}

void TForm3::FormActivate() {
  const Control& list = form_["ListBox1"];
  SetListBoxItems(list, {});
  // A read failure leaves the list empty and goes to the error box.
  SetListBoxItems(list, LoadBlacklist(files_, data_.Blacklist()));
}

void TForm3::BitBtn1Click() {
  SaveBlacklist(files_, data_.Blacklist(), ListBoxItems(form_["ListBox1"]));
  boxes_.Beep();
  boxes_.ShowInformation(texts::kBlacklistSaved);
  form_.Close(ModalResult::kOk);
}

void TForm3::BitBtn3Click() {
  const Control& list = form_["ListBox1"];
  SetListBoxItems(list, WithoutSelected(ListBoxItems(list), ListBoxSelection(list)));
}

}  // namespace corvane
