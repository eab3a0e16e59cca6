#include "changes/unit4.h"

#include "changes/activity_log.h"
#include "platform/errors.h"
#include "platform/win32/framework/memo.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FormLayout kWindow = Window(texts::kLogViewerCaption, 675, 512);

constexpr ControlLayout kControls[] = {
    Memo("Memo1", 16, 16, 641, 433).Font(kNamesFont).TabOrder(0),
    Button("BitBtn1", 296, 472, 81, 25, texts::kCloseButton)
        .Picture(Glyph::kCancel).Cancel().Result(ModalResult::kCancel).TabOrder(1),
};

}  // namespace

TForm4::TForm4(Application& application, const FileSystem& files, const DataFiles& data)
    : form_(application, kWindow, kControls), files_(files), data_(data) {
  form_.OnActivate([this] { FormActivate(); });
}

void TForm4::FormActivate() {
  const std::string log = data_.Log();
  if (files_.FileExists(log)) {
    SetMemoLines(form_["Memo1"], LoadLog(files_, log));
    return;
  }
  // The log is written only while the file exists: say which box makes it.
  SetMemoLines(form_["Memo1"], {FormatText(texts::kLoggingOffHint, texts::kKeepLogOption)});
}

}  // namespace corvane
