// A subscription's definition is kept in a backup and read back to put it
// back: it must come back whole, and a damaged one must never be half read.
#include "platform/event_subscription.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_platform_fixture.h"

namespace corvane {
namespace {

TEST(EventSubscriptionTest, ADefinitionReadsBackWholeAndAnyFaultMakesItUnreadable) {
  const auto subscription = CommandSubscription("Up\"dater\\", "On\tВход", "C:\\Пуск\\a.exe /q");
  const auto text = FormatSubscription(subscription);
  const auto read = ParseSubscription(text);
  ASSERT_TRUE(read);
  EXPECT_EQ(FormatSubscription(*read), text);
  EXPECT_EQ(SubscriptionName(*read), R"("Up\"dater\\" (CommandLineEventConsumer) on "On	Вход")");
  EXPECT_EQ(SubscriptionCommand(*read), "C:\\Пуск\\a.exe /q");

  const std::string named = "class\tCommandLineEventConsumer\nfilter\tName\ts\tF\n";
  for (const auto& damaged : {
           std::string(),
           std::string("class\tLogFileEventConsumer\nfilter\tName\ts\tF\nconsumer\tName\ts\tC\n"),
           named,                                                   // a consumer without a name
           named + "consumer\tName\ts\tC\nconsumer\tname\ts\tD\n",  // a property twice
           named + "consumer\tName\ts\tC%4\n",                      // an escape cut short
           named + "consumer\tName\ts\tC\nconsumer\tKillTimeout\tn\t1e9\n",
           named + "consumer\tName\ts\tC\nconsumer\tRunInteractively\tb\tyes\n",
           named + "consumer\tName\tx\tC\n",
           named + "binding\tName\ts\tC\n",
       }) {
    EXPECT_FALSE(ParseSubscription(damaged)) << damaged;
  }

  EventSubscription script = subscription;
  script.consumer_class = kCodeConsumerClasses[1];
  script.consumer = {{"Name", WmiProperty::Type::kText, "S"},
                     {"ScriptingEngine", WmiProperty::Type::kText, "VBScript"},
                     {"ScriptText", WmiProperty::Type::kText, "Set s = 1\r\nRun s"}};
  EXPECT_EQ(SubscriptionCommand(script), "VBScript: Set s = 1  Run s");
}

}  // namespace
}  // namespace corvane
