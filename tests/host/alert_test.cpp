#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "changes/alert.h"

namespace corvane {
namespace {

TEST(ShownLocation, CountsCharactersNotBytesAndWritesOutControlCharacters) {
  const std::string tail = "0123456789abcdefghijklmnopqrstuvwxyz";  // 36 characters
  const std::string cyrillic_tail = "Тест工具" + std::string(30, 'x');   // 36 characters
  const struct {
    std::string location;
    std::string shown;
  } cases[] = {
      {std::string(35, 'x'), std::string(35, 'x')},
      {tail, "..." + tail},
      {std::string(64, 'a') + tail, "..." + tail},
      {"Ж" + std::string(34, 'y'), "Ж" + std::string(34, 'y')},  // 35 characters, 36 bytes
      {"\\Run\\" + cyrillic_tail, "..." + cyrillic_tail},
      {"\\Run\\CvLegit" + std::string(1, '\0') + "Evil", "\\Run\\CvLegit\\0Evil"},
      {"\\Run\\Cv\r\nSecurityHealth", "\\Run\\Cv\\r\\nSecurityHealth"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownLocation(c.location), c.shown) << c.location;
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
