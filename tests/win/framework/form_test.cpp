// What the forms do beyond the three windows of the window tests: controls
// inside a group box, a menu bar, labels that follow their text in any
// script, the error box for a handler that fails, and a modal form that is
// asked to show a second time.
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
#include "platform/win32/wide.h"

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
  Application application_{GetModuleHandleW(nullptr), "Corvane"};
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
  form_.SetMenuBar(MakeMenuBar({{"&Справка 帮助", 0, help, false}}));
  const SIZE client = automation::ClientSize(form_.handle());
  EXPECT_EQ(client.cx, 248);
  EXPECT_EQ(client.cy, 324);
  ASSERT_NE(GetMenu(form_.handle()), nullptr);
  wchar_t text[32] = {};
  const int length = GetMenuStringW(GetMenu(form_.handle()), 0, text, 32, MF_BYPOSITION);
  EXPECT_EQ(Utf8(text, std::size_t(length)), "&Справка 帮助");
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

// The width comes from the text as the label holds it: a character that is
// several bytes of UTF-8 counts once, and one beyond the BMP comes back whole.
TEST_F(FormTest, ALabelHoldsAndMeasuresTextInAnyScript) {
  Control& label = form_["Label1"];
  for (const std::string text : {"Тест工具", "\xCE\xB1\xF0\x9F\x98\x80", "ab"}) {
    SCOPED_TRACE(text);
    label.SetText(text);
    EXPECT_EQ(label.Text(), text);
    const std::wstring wide = Wide(text);
    const WindowDc dc(label.handle());
    const Selection font(dc.get(), reinterpret_cast<HGDIOBJ>(
                                       SendMessageW(label.handle(), WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), wide.c_str(), int(wide.size()), &size);
    RECT shown{};
    GetWindowRect(label.handle(), &shown);
    EXPECT_EQ(shown.right - shown.left, size.cx);
  }
}

TEST_F(FormTest, AFormShownModallyRefusesToShowAgainAndKeepsItsOwnAnswer) {
  std::string refused;
  form_.OnMessage(WM_APP, [&](WPARAM, LPARAM, LRESULT& result) {
    try {
      form_.ShowModal();
    } catch (const std::runtime_error& error) {
      refused = error.what();
    }
    form_.Close(ModalResult::kNo);
    result = 0;
    return true;
  });
  PostMessageW(form_.handle(), WM_APP, 0, 0);
  EXPECT_EQ(form_.ShowModal(), ModalResult::kNo);
  EXPECT_EQ(refused, "The window \"Options\" is already open");
  EXPECT_FALSE(form_.IsModal());
}

// Only a key pressed while a modal form is up answers it: not one typed
// before it came up, nor the repeats of a key held down, which would answer
// one alert after another that the user never saw.
TEST_F(FormTest, OnlyAKeyPressedWhileAModalFormIsUpAnswersIt) {
  const auto escape = [&](LPARAM state) {
    PostMessageW(form_.handle(), WM_KEYDOWN, VK_ESCAPE, 1 | state);
  };
  escape(0);
  Sleep(100);  // message times count in ticks of about 16 ms
  form_.OnMessage(WM_APP, [&](WPARAM, LPARAM, LRESULT& result) {
    escape(LPARAM(1) << 30);  // "was down before": a repeat
    PostMessageW(form_.handle(), WM_APP + 1, 0, 0);
    result = 0;
    return true;
  });
  form_.OnMessage(WM_APP + 1, [&](WPARAM, LPARAM, LRESULT& result) {
    form_.Close(ModalResult::kNo);
    result = 0;
    return true;
  });
  PostMessageW(form_.handle(), WM_APP, 0, 0);
  EXPECT_EQ(form_.ShowModal(), ModalResult::kNo);
}

// Nor an access key typed before it came up; one typed while it is up works.
TEST_F(FormTest, AnAccessKeyTypedBeforeAModalFormCameUpIsDropped) {
  form_["BitBtn1"].SetText("&Save");
  int saved = 0;
  form_.OnClick("BitBtn1", [&] { ++saved; });
  PostMessageW(form_.handle(), WM_CHAR, 's', 1);
  Sleep(100);  // message times count in ticks of about 16 ms
  form_.OnMessage(WM_APP, [&](WPARAM, LPARAM, LRESULT& result) {
    PostMessageW(form_.handle(), WM_CHAR, 's', 1);
    PostMessageW(form_.handle(), WM_APP + 1, 0, 0);
    result = 0;
    return true;
  });
  form_.OnMessage(WM_APP + 1, [&](WPARAM, LPARAM, LRESULT& result) {
    form_.Close(ModalResult::kNo);
    result = 0;
    return true;
  });
  PostMessageW(form_.handle(), WM_APP, 0, 0);
  EXPECT_EQ(form_.ShowModal(), ModalResult::kNo);
  EXPECT_EQ(saved, 1);
}

TEST_F(FormTest, AFailingHandlerEndsInTheErrorBoxWithAPeriod) {
  form_.OnClick("BitBtn1", [] { throw std::runtime_error("Unable to write to corvane.ini"); });
  form_.Show();
  const automation::MessageBoxInfo box = AnswerBoxWhile(
      "Corvane", [&] { SendMessageW(form_["BitBtn1"].handle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(box.text, "Unable to write to corvane.ini.");
  EXPECT_EQ(box.icon, LoadIconW(nullptr, SystemResource(IDI_ERROR)));
  EXPECT_EQ(box.owner, form_.handle());
  EXPECT_EQ(box.buttons, 1);
}

TEST_F(FormTest, TheErrorBoxAddsNoSecondPeriod) {
  const automation::MessageBoxInfo box =
      AnswerBoxWhile("Corvane", [&] { application_.ShowError("Already ended."); });
  EXPECT_EQ(box.text, "Already ended.");
  EXPECT_EQ(box.owner, application_.handle()) << "with no active window";
}

TEST_F(FormTest, TheErrorBoxShowsNamesInAnyScript) {
  const automation::MessageBoxInfo box = AnswerBoxWhile(
      "Corvane", [&] { application_.ShowError("Unable to read C:\\Тест工具\\blacklist"); });
  EXPECT_EQ(box.text, "Unable to read C:\\Тест工具\\blacklist.");
}

TEST_F(FormTest, WithoutVisualStylesAPictureButtonCarriesItsCaptionInItsPicture) {
  // This test program has no manifest, so its buttons are the older ones.
  const HWND save = form_["BitBtn1"].handle();
  EXPECT_NE(GetWindowLongPtrW(save, GWL_STYLE) & BS_BITMAP, 0);
  EXPECT_NE(SendMessageW(save, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(form_["BitBtn1"].Text(), "Save");
}

TEST_F(FormTest, AMenuCommandReachesItsHandler) {
  int chosen = 0;
  form_.OnCommand(7, [&] { chosen = 7; });
  SendMessageW(form_.handle(), WM_COMMAND, MAKEWPARAM(7, 0), 0);
  EXPECT_EQ(chosen, 7);
}

// A disabled window keeps no focus, and a form without one took no keys.
TEST_F(FormTest, DisablingTheFocusedControlMovesTheFocusOn) {
  form_.Show();
  SetFocus(form_["BitBtn1"].handle());
  ASSERT_EQ(GetFocus(), form_["BitBtn1"].handle());
  form_["BitBtn1"].SetEnabled(false);
  EXPECT_EQ(GetFocus(), form_["CheckBox5"].handle()) << "past the disabled Cancel";
  EXPECT_FALSE(form_["BitBtn1"].Enabled());
}

}  // namespace
}  // namespace corvane::win32
