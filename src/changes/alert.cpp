#include "changes/alert.h"

#include "platform/unicode.h"
#include "texts.h"

namespace corvane {

AlertAnswer ShowAlert(AlertView& view, PollTimer& timer, MessageBoxes& boxes,
                      const AlertFacts& facts) {
  const TimerHold hold(timer);
  boxes.Beep();
  auto shown = facts;
  shown.type_text = Printable(facts.type_text);
  shown.location = Printable(facts.location);
  shown.command = Printable(facts.command);
  shown.old_command = Printable(facts.old_command);
  shown.publisher = Printable(facts.publisher);
  view.SetFacts(shown);
  const bool remove = view.ShowModal() == ModalResult::kNo;
  return {remove, facts.same_type_after > 0 && view.SameAnswerChecked()};
}

std::string AlertDetails(const AlertFacts& facts) {
  std::string details;
  const auto line = [&details](const char* caption, const std::string& text) {
    if (!details.empty()) details += texts::kDetailsLineEnd;
    details += caption + (texts::kDetailsGap + text);
  };
  line(texts::kAlertTypeLabel, facts.type_text);
  line(texts::kAlertLocationLabel, facts.location);
  if (facts.changed) {
    line(texts::kAlertOldCommandLabel, facts.old_command);
    line(texts::kAlertNewCommandLabel, facts.command);
  } else {
    line(texts::kAlertCommandLabel, facts.command);
  }
  if (!facts.publisher.empty()) line(texts::kAlertPublisherLabel, facts.publisher);
  return details;
}

}  // namespace corvane
