#include "platform/errors.h"

#include "texts.h"

namespace corvane {

std::string FormatText(const char* message_template, const std::string& name) {
  std::string text = message_template;
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

std::string GroupedDigits(std::size_t count) {
  const auto digits = std::to_string(count);
  std::string grouped;
  for (std::size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) grouped += texts::kThousandsSeparator;
    grouped += digits[at];
  }
  return grouped;
}

}  // namespace corvane
