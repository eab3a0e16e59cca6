#include "changes/unit2.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "changes/alert.h"
#include "changes/command_lines.h"
#include "changes/signature_texts.h"
#include "platform/errors.h"
#include "platform/win32/framework/clipboard.h"
#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

constexpr FontStyle kHeadlineFont = kDialogFont.Height(kTenPoint).Bold().Color(RGB(255, 0, 0));
constexpr FontStyle kQuestionFont = kDialogFont.Height(kTenPoint).Bold();
constexpr FontStyle kCaptionFont = kDialogFont.Bold();

// The lines of facts start with the type's and follow one another at this
// step; the controls below them move down with every line shown.
constexpr int kFirstLineTop = 112;
constexpr int kLineStep = 32;
constexpr int kLineTextLeft = 136;
// The texts of the lines end a margin short of the window's right edge.
constexpr int kLineTextWidth = 265;
// Below the last line, the buttons' row, then the check boxes.
constexpr int kButtonsBelowLine = 8;
constexpr int kDoNotAskBelowButtons = 40;
constexpr int kSameAnswerBelowDoNotAsk = 24;
constexpr int kCheckBoxHeight = 17;
constexpr int kBottomMargin = 16;
constexpr int kRightMargin = 16;
// A command takes up to this many text lines before its folder is shortened.
constexpr int kCommandLines = 3;
// Posted by the signature worker when results come.
constexpr UINT kSignatureResults = WM_APP + 21;

// The window is this wide, or wider where the fonts at hand draw a text of
// its own wider than the layout allows.
constexpr int kWidth = 417;
// As laid out: type, location and command.
constexpr int kButtonsTop = kFirstLineTop + 3 * kLineStep + kButtonsBelowLine;
constexpr int kDoNotAskTop = kButtonsTop + kDoNotAskBelowButtons;

constexpr FormLayout kWindow =
    Window(texts::kAlertCaption, kWidth, kDoNotAskTop + kCheckBoxHeight + kBottomMargin).OnTop();

constexpr ControlLayout kControls[] = {
    Label("Label3", 16, 16, texts::kAlertHeadline).Font(kHeadlineFont),
    Label("Label4", 78, 48, texts::kAlertQuestion).Font(kQuestionFont),
    Label("Label7", 40, 72, texts::kAlertAdvice),
    Label("Label5", 91, kFirstLineTop, texts::kAlertTypeLabel).Font(kCaptionFont),
    Label("Label1", kLineTextLeft, kFirstLineTop, "").Font(kNamesFont),
    Label("Label6", 70, kFirstLineTop + kLineStep, texts::kAlertLocationLabel).Font(kCaptionFont),
    ShortenedLabel("Label2", kLineTextLeft, kFirstLineTop + kLineStep, kLineTextWidth, "")
        .Font(kNamesFont),
    // The captions below end where "Location:" does; SetFacts places them.
    Label("Label8", 0, 0, texts::kAlertCommandLabel).Font(kCaptionFont),
    ShortenedLabel("Label9", kLineTextLeft, 0, kLineTextWidth, "").Font(kNamesFont),
    Label("Label10", 0, 0, texts::kAlertNewCommandLabel).Font(kCaptionFont),
    ShortenedLabel("Label11", kLineTextLeft, 0, kLineTextWidth, "").Font(kNamesFont),
    Label("Label12", 0, 0, texts::kAlertPublisherLabel).Font(kCaptionFont),
    ShortenedLabel("Label13", kLineTextLeft, 0, kLineTextWidth, "").Font(kNamesFont),
    Label("Label14", 16, kButtonsTop + 6, ""),
    Button("BitBtn1", 112, kButtonsTop, 75, 25, texts::kYesButton)
        .Picture(Glyph::kYes).Default().Result(ModalResult::kYes).TabOrder(0),
    Button("BitBtn2", 224, kButtonsTop, 75, 25, texts::kNoButton)
        .Picture(Glyph::kNo).Cancel().Result(ModalResult::kNo).TabOrder(1),
    CheckBox("CheckBox1", 112, kDoNotAskTop, 193, kCheckBoxHeight, texts::kDoNotAskAgain)
        .Disabled().TabOrder(2),
    CheckBox("CheckBox2", 112, kDoNotAskTop + kSameAnswerBelowDoNotAsk, 289, kCheckBoxHeight, "")
        .TabOrder(3),
    Button("Button1", 320, kButtonsTop + 2, 81, 21, texts::kCopyDetails).TabOrder(4),
};

std::string SameAnswerText(const AlertFacts& facts) {
  const bool one = facts.same_type_after == 1;
  const char* text = facts.changed ? (one ? texts::kSameAnswerOne : texts::kSameAnswer)
                                   : (one ? texts::kSameAnswerOneNew : texts::kSameAnswerNew);
  return FormatText(text, GroupedDigits(facts.same_type_after));
}

// "1 of 214".
std::string PlaceText(const AlertFacts& facts) {
  const std::string place = FormatText(texts::kAlertPlace, GroupedDigits(facts.position));
  return FormatText(place.c_str(), GroupedDigits(facts.count));
}

}  // namespace

TForm2::TForm2(Application& application, SignatureWorker& signatures)
    : form_(application, kWindow, kControls),
      location_{form_["Label6"], form_["Label2"]},
      first_command_{form_["Label8"], form_["Label9"]},
      second_command_{form_["Label10"], form_["Label11"]},
      publisher_{form_["Label12"], form_["Label13"]},
      place_(form_["Label14"]),
      same_answer_(form_["CheckBox2"]),
      signatures_(signatures) {
  form_.OnClick("Button1", [this] { Button1Click(); });
  form_.OnMessage(kSignatureResults, [this](WPARAM, LPARAM, LRESULT& result) {
    if (!facts_.program.empty()) ShowPublisher(signatures_.Known(facts_.program));
    result = 0;
    return true;
  });
}

TForm2::~TForm2() { signatures_.Forget(form_.handle()); }

void TForm2::ShowLine(const Line& line, int top, const char* caption, const std::string& text) {
  line.caption.SetText(caption);
  RECT location{};
  GetWindowRect(location_.caption.handle(), &location);
  RECT own{};
  GetWindowRect(line.caption.handle(), &own);
  // Right-aligned with the captions above, whatever the font makes of them.
  const int location_right = location_.caption.layout().left + (location.right - location.left);
  line.caption.MoveTo(location_right - (own.right - own.left), top);
  line.text.MoveTo(form_.Scaled(kLineTextLeft), top);
  line.text.SetText(text);
  form_.SetHint(line.text.name(), text);
  line.caption.SetVisible(true);
  line.text.SetVisible(true);
}

int TForm2::ShowCommand(const Line& line, int top, const char* caption,
                        const std::string& command) {
  ShowLine(line, top, caption, command);
  RECT shown{};
  GetWindowRect(line.text.handle(), &shown);
  const int width = shown.right - shown.left;
  const auto lines = CommandLines(command, width, kCommandLines, [&line](const std::string& text) {
    return line.text.DrawnSize(text).cx;
  });
  // Drawn in the label's own "..." it would lose the program's name; broken
  // into lines it needs the label to wrap at its line ends instead.
  const LONG_PTR style = GetWindowLongPtrW(line.text.handle(), GWL_STYLE) & ~SS_ELLIPSISMASK;
  SetWindowLongPtrW(line.text.handle(), GWL_STYLE,
                    style | (lines.size() == 1 ? SS_PATHELLIPSIS : 0));
  std::string text;
  for (const std::string& each : lines) text += (text.empty() ? "" : "\r\n") + each;
  // One line keeps its text whole, for the tool tip's sake and screen readers.
  if (lines.size() > 1) line.text.SetText(text);
  const int line_height = line.text.DrawnSize("").cy;
  SetWindowPos(line.text.handle(), nullptr, 0, 0, width, line_height * int(lines.size()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return line_height * int(lines.size() - 1);
}

void TForm2::ShowPublisher(const Signature& signature) {
  publisher_line_ = PublisherLine(signature, facts_.publisher);
  publisher_.text.SetText(publisher_line_);
  form_.SetHint(publisher_.text.name(), publisher_line_);
}

void TForm2::SetFacts(const AlertFacts& facts) {
  facts_ = facts;
  form_["Label3"].SetText(facts.changed ? texts::kAlertChangedHeadline : texts::kAlertHeadline);
  form_["Label4"].SetText(facts.changed ? texts::kAlertChangedQuestion : texts::kAlertQuestion);
  form_["Label1"].SetText(facts.type_text);
  location_.text.SetText(facts.location);
  form_.SetHint(location_.text.name(), facts.location);
  same_answer_.SetChecked(false);
  same_answer_.SetVisible(facts.same_type_after > 0);
  if (facts.same_type_after > 0) same_answer_.SetText(SameAnswerText(facts));
  const int width = FitWidth();

  int top = form_.Scaled(kFirstLineTop + 2 * kLineStep);
  const int line_step = form_.Scaled(kLineStep);
  // A command of several text lines pushes those below it down by the extra height.
  const auto next_line = [&top, line_step](int extra_height) { top += line_step + extra_height; };
  if (facts.changed) {
    next_line(ShowCommand(first_command_, top, texts::kAlertOldCommandLabel, facts.old_command));
    next_line(ShowCommand(second_command_, top, texts::kAlertNewCommandLabel, facts.command));
  } else {
    next_line(ShowCommand(first_command_, top, texts::kAlertCommandLabel, facts.command));
    second_command_.caption.SetVisible(false);
    second_command_.text.SetVisible(false);
  }
  // Shown from the start whenever the signature is to come, so that the
  // buttons stay where they are when it does.
  if (!facts.publisher.empty() || !facts.program.empty()) {
    ShowLine(publisher_, top, texts::kAlertPublisherLabel, "");
    next_line(0);
    // Not what the worker kept from before: the file may have been
    // replaced since, which the worker looks at first.
    ShowPublisher(Signature{});
    if (!facts.program.empty()) {
      signatures_.Request({facts.program}, form_.handle(), kSignatureResults);
    }
  } else {
    publisher_line_.clear();
    publisher_.caption.SetVisible(false);
    publisher_.text.SetVisible(false);
  }

  const int buttons = top + form_.Scaled(kButtonsBelowLine);
  form_["BitBtn1"].MoveTo(form_["BitBtn1"].layout().left, buttons);
  form_["BitBtn2"].MoveTo(form_["BitBtn2"].layout().left, buttons);
  Control& copy = form_["Button1"];
  copy.MoveTo(width - form_.Scaled(kRightMargin) - copy.layout().width, buttons + form_.Scaled(2));
  place_.MoveTo(place_.layout().left, buttons + form_.Scaled(6));
  place_.SetText(facts.count > 1 ? PlaceText(facts) : "");
  place_.SetVisible(facts.count > 1);

  int bottom = buttons + form_.Scaled(kDoNotAskBelowButtons);
  Control& do_not_ask = form_["CheckBox1"];
  do_not_ask.MoveTo(do_not_ask.layout().left, bottom);
  do_not_ask.SetEnabled(facts.offer_do_not_ask);
  if (facts.same_type_after > 0) {
    bottom += form_.Scaled(kSameAnswerBelowDoNotAsk);
    same_answer_.MoveTo(same_answer_.layout().left, bottom);
  }
  form_.SetClientSize(width, bottom + form_.Scaled(kCheckBoxHeight + kBottomMargin));
}

int TForm2::FitWidth() {
  // The toolkit has widened the buttons for their texts already.
  int width = std::max(form_.Scaled(kWidth), form_.FittedClientWidth());
  const int right_margin = form_.Scaled(kRightMargin);
  const auto fit = [&width, right_margin](const Control& control, int control_width) {
    width = std::max(width, control.layout().left + control_width + right_margin);
  };
  for (const char* name : {"Label3", "Label4", "Label7"}) {
    fit(form_[name], form_[name].TextWidth());
  }
  for (Control* box : {&form_["CheckBox1"], &same_answer_}) {
    const int box_width = std::max<int>(box->layout().width, box->FittingSize().cx);
    box->SetWidth(box_width);
    if (box->Visible()) fit(*box, box_width);
  }
  for (const Line* line : {&location_, &first_command_, &second_command_, &publisher_}) {
    line->text.SetWidth(width - form_.Scaled(kLineTextLeft) - right_margin);
  }
  return width;
}

void TForm2::Button1Click() {
  AlertFacts shown = facts_;
  shown.publisher = publisher_line_;
  if (!PutOnClipboard(form_.handle(), AlertDetails(shown))) {
    throw std::runtime_error(texts::kCopyDetailsFailed);
  }
}

bool TForm2::SameAnswerChecked() const {
  return same_answer_.Visible() && same_answer_.Checked();
}

bool TForm2::DoNotAskEnabled() const { return form_["CheckBox1"].Enabled(); }

bool TForm2::DoNotAskChecked() const { return form_["CheckBox1"].Checked(); }

void TForm2::ClearDoNotAsk() { form_["CheckBox1"].SetChecked(false); }

ModalResult TForm2::ShowModal() { return form_.ShowModal(); }

}  // namespace corvane
