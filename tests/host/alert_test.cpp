#include <gtest/gtest.h>

#include "change_handling_fixture.h"
#include "changes/alert.h"

namespace corvane {
namespace {

TEST(ShownLocation, WholeUpToThirtyFiveCharactersThenEllipsisAndTheLastThirtySix) {
  const std::string hundred(64, 'a');
  const std::string tail = "0123456789abcdefghijklmnopqrstuvwxyz";  // 36 characters
  EXPECT_EQ(ShownLocation(std::string(35, 'x')), std::string(35, 'x'));
  EXPECT_EQ(ShownLocation(tail), "..." + tail);
  EXPECT_EQ(ShownLocation(hundred + tail), "..." + tail);
  EXPECT_EQ(ShownLocation(""), "");
}

class AlertTest : public ChangeHandlingTest {
 protected:
  bool Show(const std::string& type) {
    return ShowAlert(alert, timer, boxes, type, "\\Software\\Run\\Tool");
  }
};

TEST_F(AlertTest, StopsTheTimerBeepsAndAnswersTrueOnlyForNo) {
  Answer(ModalResult::kNo);
  Answer(ModalResult::kYes);
  Answer(ModalResult::kNone);  // closed by the window's close button
  EXPECT_TRUE(Show("Registry Startup"));
  EXPECT_FALSE(Show("Registry Startup"));
  EXPECT_FALSE(Show("Registry Startup"));
  EXPECT_EQ(events[0], "timer stop");
  EXPECT_EQ(events[1], "beep");
  EXPECT_EQ(events[2], "alert Registry Startup | \\Software\\Run\\Tool | box");
  EXPECT_EQ(events[3], "timer start");
  EXPECT_TRUE(timer.running);
}

TEST_F(AlertTest, OnlyTheExactRegistryStartupTypeOffersTheDoNotAskBox) {
  for (const char* type : {"Registry Startup", "registry startup", "Registry", "Registry Service",
                           "win.ini File"}) {
    Answer(ModalResult::kYes);
    Show(type);
  }
  EXPECT_EQ(events[2], "alert Registry Startup | \\Software\\Run\\Tool | box");
  for (std::size_t alert_event = 6; alert_event < events.size(); alert_event += 4) {
    EXPECT_EQ(events[alert_event].find("| box"), std::string::npos) << events[alert_event];
  }
}

TEST_F(AlertTest, TheTickOutlivesTheAlertButTheBoxIsDisabledForOtherTypes) {
  Answer(ModalResult::kYes, true);
  Answer(ModalResult::kYes);
  Show("Registry Startup");
  Show("Startup Folder");
  EXPECT_TRUE(alert.DoNotAskChecked());
  EXPECT_FALSE(alert.DoNotAskEnabled());
}

}  // namespace
}  // namespace corvane
