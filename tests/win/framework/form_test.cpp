// What the forms do beyond the three windows of the window tests: controls
// inside a group box, a menu bar, labels that follow their text, and the
// error box for a handler that fails.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "automation/windows.h"
#include "framework/answer_box.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/form.h"
#include "platform/win32/framework/menus.h"

namespace corvane::win32 {
namespace {

constexpr FormLayout kOptions = Window("Options", 248, 324).MinimizeAndMaximize();

// A part of the main window: two check boxes beside a group box, one inside it.
constexpr ControlLayout kControls[] = {
    CheckBox("CheckBox5", 24, 80, 193, 17, "Autorun").Checked().TabOrder(0),
    GroupBox("GroupBox1", 24, 104, 201, 153, "Areas to Monitor:").TabOrder(5),
    CheckBox("CheckBox1", 48, 128, 169, 17, "Registry").TabOrder(1),
    CheckBox("CheckBox6", 24, 120, 137, 17, "IE objects").Inside("GroupBox1").TabOrder(0),
    Button("BitBtn1", 40, 280, 73, 25, "Save").Picture(Glyph::kOk).Default().TabOrder(6),
    Button("BitBtn2", 136, 280, 73, 25, "Cancel").Picture(Glyph::kCancel).Cancel().Disabled()
        .TabOrder(7),
    Label("Label1", 44, 2, "Corvane").Font(kDialogFont.Face("Comic Sans MS", -24)),
};

class FormTest : public ::testing::Test {
 protected:
  Application application_{GetModuleHandleA(nullptr), "Corvane"};
  Form form_{application_, kOptions, kControls};
};

TEST_F(FormTest, AControlInsideAGroupBoxIsPlacedInItAndTabbedWithIt) {
  RECT inside{};
  GetWindowRect(form_["CheckBox6"].handle(), &inside);
  MapWindowPoints(HWND_DESKTOP, form_.handle(), reinterpret_cast<POINT*>(&inside), 2);
  EXPECT_EQ(inside.left, 48);
  EXPECT_EQ(inside.top, 224);

  std::vector<std::string> tab_order;
  for (const automation::ControlInfo& control : automation::ChildrenOf(form_.handle())) {
    if (control.style & WS_TABSTOP) tab_order.push_back(control.text);
  }
  EXPECT_EQ(tab_order, (std::vector<std::string>{"Autorun", "Registry", "IE objects", "Save",
                                                   "Cancel"}));
  EXPECT_TRUE(form_["CheckBox5"].Checked());
  EXPECT_FALSE(form_["BitBtn2"].Enabled());
}

TEST_F(FormTest, AMenuBarKeepsTheClientSize) {
  std::vector<MenuItem> help{{"View Logfile", 1, {}, false}};
  form_.SetMenuBar(MakeMenuBar({{"&Help", 0, help, false}}));
  const SIZE client = automation::ClientSize(form_.handle());
  EXPECT_EQ(client.cx, 248);
  EXPECT_EQ(client.cy, 324);
  EXPECT_NE(GetMenu(form_.handle()), nullptr);
}

TEST_F(FormTest, ALabelTakesTheWidthOfItsNewText) {
  Control& label = form_["Label1"];
  RECT before{};
  GetWindowRect(label.handle(), &before);
  label.SetText("Corvane Corvane");
  RECT after{};
  GetWindowRect(label.handle(), &after);
  EXPECT_GT(after.right - after.left, (before.right - before.left) * 3 / 2);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(label.Text(), "Corvane Corvane");
}

TEST_F(FormTest, AFailingHandlerEndsInTheErrorBoxWithAPeriod) {
  form_.OnClick("BitBtn1", [] { throw std::runtime_error("Unable to write to corvane.ini"); });
  form_.Show();
  const automation::MessageBoxInfo box = AnswerBoxWhile(
      "Corvane", [&] { SendMessageA(form_["BitBtn1"].handle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(box.text, "Unable to write to corvane.ini.");
  EXPECT_EQ(box.icon, LoadIcon(nullptr, IDI_ERROR));
  EXPECT_EQ(box.owner, form_.handle());
  EXPECT_EQ(box.buttons, 1);
}

TEST_F(FormTest, TheErrorBoxAddsNoSecondPeriod) {
  const automation::MessageBoxInfo box =
      AnswerBoxWhile("Corvane", [&] { application_.ShowError("Already ended."); });
  EXPECT_EQ(box.text, "Already ended.");
  EXPECT_EQ(box.owner, application_.handle()) << "with no active window";
}

TEST_F(FormTest, WithoutVisualStylesAPictureButtonCarriesItsCaptionInItsPicture) {
  // This test program has no manifest, so its buttons are the older ones.
  const HWND save = form_["BitBtn1"].handle();
  EXPECT_NE(GetWindowLongPtrA(save, GWL_STYLE) & BS_BITMAP, 0);
  EXPECT_NE(SendMessageA(save, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(form_["BitBtn1"].Text(), "Save");
}

TEST_F(FormTest, AMenuCommandReachesItsHandler) {
  int chosen = 0;
  form_.OnCommand(7, [&] { chosen = 7; });
  SendMessageA(form_.handle(), WM_COMMAND, MAKEWPARAM(7, 0), 0);
  EXPECT_EQ(chosen, 7);
}

}  // namespace
}  // namespace corvane::win32
