// A permanent WMI event subscription that runs code: an event filter (the
// query whose events start it) bound to a command-line or script consumer,
// as kept in the root\subscription namespace. Only the properties that
// define them are kept; WMI sets the rest (such as the creator's SID) itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The consumer classes that start a program or run a script.
inline constexpr const char* kCodeConsumerClasses[] = {"CommandLineEventConsumer",
                                                       "ActiveScriptEventConsumer"};
inline constexpr char kEventFilterClass[] = "__EventFilter";
inline constexpr char kBindingClass[] = "__FilterToConsumerBinding";

struct WmiProperty {
  enum class Type : char { kText = 's', kNumber = 'n', kSwitch = 'b' };
  std::string name;
  Type type = Type::kText;
  std::string value;  // a number in decimal; a switch "true" or "false"
};

struct EventSubscription {
  std::vector<WmiProperty> filter;  // of its __EventFilter, "Name" among them
  std::string consumer_class;       // one of kCodeConsumerClasses
  std::vector<WmiProperty> consumer;
};

bool IsCodeConsumer(const std::string& class_name);

// The relative path by which WMI finds the object of that class and name:
// Class.Name="name", with " and \ escaped inside the quotes.
std::string WmiObjectPath(const std::string& class_name, const std::string& name);

// The value of the named property (name case ignored, as WMI does); "" when
// it has none.
std::string PropertyText(const std::vector<WmiProperty>& properties, const std::string& name);

// The subscription's name in its library: its consumer's name and class and
// its filter's name, each quoted, so that no two subscriptions share one.
std::string SubscriptionName(const EventSubscription& subscription);

// The definition kept in a backup: one line per property, its fields
// escaped. Read back, any fault makes it unreadable, as does a consumer
// class that runs no code or a filter or consumer without a name.
std::string FormatSubscription(const EventSubscription& subscription);
std::optional<EventSubscription> ParseSubscription(const std::string& definition);

// What the subscription runs: the consumer's command line (or program), or
// its script file, or its scripting engine and the script's text.
std::string SubscriptionCommand(const EventSubscription& subscription);

}  // namespace corvane
