#include "changes/alert.h"

#include "platform/unicode.h"

namespace corvane {

std::string ShownLocation(const std::string& location) {
  constexpr std::size_t kWholeUpTo = 35;
  constexpr std::size_t kKeptTail = 36;
  const auto printable = Printable(location);
  if (CharacterCount(printable) <= kWholeUpTo) return printable;
  return "..." + LastCharacters(printable, kKeptTail);
}

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

std::string AlertDetails(const AlertFacts&) {
  return {};  // TODO(alert helper)
}

}  // namespace corvane
