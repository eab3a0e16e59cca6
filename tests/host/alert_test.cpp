#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "changes/alert.h"

namespace corvane {
namespace {

// One line per fact, captioned as in the window; the command lines follow
// whether the entry is new or changed, the publisher only when known.
TEST(AlertDetails, NamesEachFactOnItsOwnLine) {
  const auto facts = [](std::string command, std::string publisher, bool changed) {
    AlertFacts made;
    made.type_text = "Registry Startup";
    made.location = "HKEY_CURRENT_USER\\Run\\Тест工具";
    made.command = command;
    made.publisher = publisher;
    made.changed = changed;
    made.old_command = changed ? "C:\\old.exe" : "";
    return made;
  };
  const std::string head =
      "Type: Registry Startup\r\nLocation: HKEY_CURRENT_USER\\Run\\Тест工具\r\n";
  const struct {
    AlertFacts facts;
    std::string details;
  } cases[] = {
      {facts("C:\\t.exe /s", "", false), head + "Command: C:\\t.exe /s"},
      {facts("C:\\t.exe", "Halvorn LLC.", false),
       head + "Command: C:\\t.exe\r\nPublisher: Halvorn LLC."},
      {facts("", "", false), head + "Command: "},
      {facts("C:\\new.exe", "", true),
       head + "Old command: C:\\old.exe\r\nNew command: C:\\new.exe"},
      {facts("C:\\new.exe", "工具", true),
       head + "Old command: C:\\old.exe\r\nNew command: C:\\new.exe\r\nPublisher: 工具"},
  };
  for (const auto& c : cases) EXPECT_EQ(AlertDetails(c.facts), c.details);
}

class AlertTest : public ChangeHandlingTest {
 protected:
  bool Show(bool offer) {
    AlertFacts facts;
    facts.type_text = "Registry Startup";
    facts.location = "\\Run\\Tool";
    facts.offer_do_not_ask = offer;
    return ShowAlert(alert, timer, boxes, facts).remove;
  }
};

TEST_F(AlertTest, HoldsTheTimerBeepsAndAnswersTrueOnlyForNo) {
  Answer(ModalResult::kNo);
  Answer(ModalResult::kYes);
  Answer(ModalResult::kNone);  // closed by the window's close button
  EXPECT_TRUE(Show(true));
  EXPECT_FALSE(Show(false));
  EXPECT_FALSE(Show(false));
  EXPECT_EQ(events[0], "timer hold");
  EXPECT_EQ(events[1], "beep");
  EXPECT_EQ(events[2], "alert Registry Startup | \\Run\\Tool | box");
  EXPECT_EQ(events[3], "timer release");
  EXPECT_EQ(events[6], "alert Registry Startup | \\Run\\Tool");
  EXPECT_EQ(timer.holds, 0);
}

TEST_F(AlertTest, AWindowThatCannotBeShownHoldsNothingAndAnswersNothing) {
  alert.while_open = [] { throw std::runtime_error("The window \"Corvane ALERT!\" is already open"); };
  EXPECT_THROW(Show(true), std::runtime_error);
  EXPECT_EQ(timer.holds, 0);
}

TEST_F(AlertTest, TheTickOutlivesTheAlertButTheBoxIsDisabledWhenNotOffered) {
  Answer(ModalResult::kYes, true);
  Answer(ModalResult::kYes);
  Show(true);
  Show(false);
  EXPECT_TRUE(alert.DoNotAskChecked());
  EXPECT_FALSE(alert.DoNotAskEnabled());
}

}  // namespace
}  // namespace corvane
