// The standard boxes: their titles and icons, and the window they belong to.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/answer_box.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/form.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "texts.h"

namespace corvane::win32 {
namespace {

constexpr ControlLayout kControls[] = {Label("Label1", 8, 8, "Owner")};

class MessageBoxesTest : public ::testing::Test {
 protected:
  Application application_{GetModuleHandleW(nullptr), texts::kApplicationTitle};
  Win32MessageBoxes boxes_{application_};
};

TEST_F(MessageBoxesTest, InformationBelongsToTheActiveWindow) {
  Form owner(application_, Window("Owner", 200, 100), kControls);
  owner.Show();
  const automation::MessageBoxInfo box = AnswerBoxWhile(
      texts::kInformationTitle, [&] { boxes_.ShowInformation(texts::kBlacklistSaved); });
  EXPECT_EQ(box.text, texts::kBlacklistSaved);
  EXPECT_EQ(box.icon, LoadIconW(nullptr, SystemResource(IDI_INFORMATION)));
  EXPECT_EQ(box.owner, owner.handle());
  EXPECT_EQ(box.buttons, 1);
}

TEST_F(MessageBoxesTest, AWarningHasTheWarningIcon) {
  const automation::MessageBoxInfo box = AnswerBoxWhile(
      texts::kWarningTitle, [&] { boxes_.ShowWarning(texts::kNotRemovedWarning); });
  EXPECT_EQ(box.text, texts::kNotRemovedWarning);
  EXPECT_EQ(box.icon, LoadIconW(nullptr, SystemResource(IDI_WARNING)));
  EXPECT_EQ(box.buttons, 1);
}

}  // namespace
}  // namespace corvane::win32
