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

bool ShowAlert(AlertView& view, PollTimer& timer, MessageBoxes& boxes, const std::string& type_text,
               const std::string& location_text, bool offer_do_not_ask) {
  const TimerHold hold(timer);
  boxes.Beep();
  view.SetTypeText(Printable(type_text));
  view.SetLocationText(ShownLocation(location_text));
  view.SetDoNotAskEnabled(offer_do_not_ask);
  return view.ShowModal() == ModalResult::kNo;
}

}  // namespace corvane
