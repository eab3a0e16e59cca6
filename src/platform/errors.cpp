#include "platform/errors.h"

namespace corvane {

std::string FormatText(const char* message_template, const std::string& name) {
  std::string text = message_template;
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

}  // namespace corvane
