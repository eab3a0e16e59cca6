#include "platform/event_subscription.h"

#include <algorithm>
#include <iterator>

#include "platform/case_fold.h"
#include "platform/record_fields.h"

namespace corvane {

namespace {

constexpr char kClassLine[] = "class";
constexpr char kFilterLine[] = "filter";
constexpr char kConsumerLine[] = "consumer";

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

bool IsValueOfType(WmiProperty::Type type, const std::string& value) {
  switch (type) {
    case WmiProperty::Type::kText:
      return true;
    case WmiProperty::Type::kSwitch:
      return value == "true" || value == "false";
    case WmiProperty::Type::kNumber: {
      const auto digits = value.size() > 1 && value[0] == '-' ? value.substr(1) : value;
      return !digits.empty() && digits.size() <= 10 &&
             std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    }
  }
  return false;
}

// The property of that name, case ignored as WMI ignores it; end() when none.
auto FindProperty(const std::vector<WmiProperty>& properties, const std::string& name) {
  return std::find_if(properties.begin(), properties.end(), [&](const WmiProperty& property) {
    return FoldCase(property.name) == FoldCase(name);
  });
}

void AppendLines(std::string& text, const char* part, const std::vector<WmiProperty>& properties) {
  for (const auto& property : properties) {
    text += std::string(part) + '\t' + EscapeField(property.name) + '\t' +
            static_cast<char>(property.type) + '\t' + EscapeField(property.value) + '\n';
  }
}

}  // namespace

bool IsCodeConsumer(const std::string& class_name) {
  return std::any_of(std::begin(kCodeConsumerClasses), std::end(kCodeConsumerClasses),
                     [&](const char* known) { return FoldCase(class_name) == FoldCase(known); });
}

std::string WmiObjectPath(const std::string& class_name, const std::string& name) {
  return class_name + ".Name=" + Quoted(name);
}

std::string PropertyText(const std::vector<WmiProperty>& properties, const std::string& name) {
  const auto found = FindProperty(properties, name);
  return found == properties.end() ? "" : found->value;
}

std::string SubscriptionName(const EventSubscription& subscription) {
  return Quoted(PropertyText(subscription.consumer, "Name")) + " (" + subscription.consumer_class +
         ") on " + Quoted(PropertyText(subscription.filter, "Name"));
}

std::string FormatSubscription(const EventSubscription& subscription) {
  std::string text =
      std::string(kClassLine) + '\t' + EscapeField(subscription.consumer_class) + '\n';
  AppendLines(text, kFilterLine, subscription.filter);
  AppendLines(text, kConsumerLine, subscription.consumer);
  return text;
}

std::optional<EventSubscription> ParseSubscription(const std::string& definition) {
  EventSubscription subscription;
  std::size_t start = 0;
  while (start < definition.size()) {
    auto end = definition.find('\n', start);
    if (end == std::string::npos) end = definition.size();
    const auto fields = SplitFields(definition.substr(start, end - start));
    start = end + 1;
    if (fields.size() == 2 && fields[0] == kClassLine && subscription.consumer_class.empty()) {
      const auto name = UnescapeField(fields[1]);
      if (!name || !IsCodeConsumer(*name)) return std::nullopt;
      subscription.consumer_class = *name;
      continue;
    }
    if (fields.size() != 4 || fields[2].size() != 1) return std::nullopt;
    const bool of_filter = fields[0] == kFilterLine;
    if (!of_filter && fields[0] != kConsumerLine) return std::nullopt;
    WmiProperty property;
    const auto name = UnescapeField(fields[1]);
    const auto value = UnescapeField(fields[3]);
    property.type = static_cast<WmiProperty::Type>(fields[2][0]);
    if (!name || name->empty() || !value || !IsValueOfType(property.type, *value)) {
      return std::nullopt;
    }
    property.name = *name;
    property.value = *value;
    auto& part = of_filter ? subscription.filter : subscription.consumer;
    if (FindProperty(part, property.name) != part.end()) return std::nullopt;  // a property twice
    part.push_back(std::move(property));
  }
  if (subscription.consumer_class.empty() || PropertyText(subscription.filter, "Name").empty() ||
      PropertyText(subscription.consumer, "Name").empty()) {
    return std::nullopt;
  }
  return subscription;
}

std::string SubscriptionCommand(const EventSubscription& subscription) {
  const auto& consumer = subscription.consumer;
  for (const char* property : {"CommandLineTemplate", "ExecutablePath", "ScriptFileName"}) {
    const auto text = PropertyText(consumer, property);
    if (!text.empty()) return text;
  }
  auto script =
      PropertyText(consumer, "ScriptingEngine") + ": " + PropertyText(consumer, "ScriptText");
  std::replace_if(
      script.begin(), script.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return script;
}

}  // namespace corvane
