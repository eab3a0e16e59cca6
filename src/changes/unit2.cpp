#include "changes/unit2.h"

#include "changes/alert.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FontStyle kHeadlineFont = kDialogFont.Height(kTenPoint).Bold().Color(RGB(255, 0, 0));
constexpr FontStyle kQuestionFont = kDialogFont.Height(kTenPoint).Bold();
constexpr FontStyle kCaptionFont = kDialogFont.Bold();

constexpr FormLayout kWindow = Window(texts::kAlertCaption, 417, 257).OnTop();

constexpr ControlLayout kControls[] = {
    Label("Label3", 16, 16, texts::kAlertHeadline).Font(kHeadlineFont),
    Label("Label4", 78, 48, texts::kAlertQuestion).Font(kQuestionFont),
    Label("Label7", 40, 72, texts::kAlertAdvice),
    Label("Label5", 91, 112, texts::kAlertTypeLabel).Font(kCaptionFont),
    Label("Label1", 136, 112, "").Font(kNamesFont),
    Label("Label6", 70, 144, texts::kAlertLocationLabel).Font(kCaptionFont),
    Label("Label2", 136, 144, "").Font(kNamesFont),
    Button("BitBtn1", 112, 184, 75, 25, texts::kYesButton)
        .Picture(Glyph::kYes).Default().Result(ModalResult::kYes).TabOrder(0),
    Button("BitBtn2", 224, 184, 75, 25, texts::kNoButton)
        .Picture(Glyph::kNo).Cancel().Result(ModalResult::kNo).TabOrder(1),
    CheckBox("CheckBox1", 112, 224, 193, 17, texts::kDoNotAskAgain).Disabled().TabOrder(2),
};

}  // namespace

TForm2::TForm2(Application& application) : form_(application, kWindow, kControls) {}

// TODO(alert helper): the command, publisher, counter and same-answer lines.
void TForm2::SetFacts(const AlertFacts& facts) {
  form_["Label1"].SetText(facts.type_text);
  form_["Label2"].SetText(ShownLocation(facts.location));
  form_["CheckBox1"].SetEnabled(facts.offer_do_not_ask);
}

bool TForm2::SameAnswerChecked() const { return false; }

bool TForm2::DoNotAskEnabled() const { return form_["CheckBox1"].Enabled(); }

bool TForm2::DoNotAskChecked() const { return form_["CheckBox1"].Checked(); }

void TForm2::ClearDoNotAsk() { form_["CheckBox1"].SetChecked(false); }

ModalResult TForm2::ShowModal() { return form_.ShowModal(); }

}  // namespace corvane
