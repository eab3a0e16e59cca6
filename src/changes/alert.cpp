#include "changes/alert.h"

#include "texts.h"

namespace corvane {

std::string ShownLocation(const std::string& location) {
  constexpr std::size_t kWholeUpTo = 35;
  constexpr std::size_t kKeptTail = 36;
  if (location.size() <= kWholeUpTo) return location;
  return "..." + location.substr(location.size() - kKeptTail);
}

bool ShowAlert(AlertView& view, PollTimer& timer, MessageBoxes& boxes, const std::string& type_text,
               const std::string& location_text) {
  timer.Stop();
  const auto shown = ShownLocation(location_text);
  boxes.Beep();
  view.SetTypeText(type_text);
  view.SetLocationText(shown);
  // Only Run-type values can be blacklisted, so only their alerts offer it.
  view.SetDoNotAskEnabled(type_text == texts::kRegistryStartupType);
  const auto result = view.ShowModal();
  timer.Start();
  return result == ModalResult::kNo;
}

}  // namespace corvane
