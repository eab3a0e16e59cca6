// The alert window as a user meets it: shown by ShowAlert in the host,
// looked at and answered from this process.
#include <iterator>
#include <string>
#include <vector>

#include "changes/alert.h"
#include "platform/win32/framework/gui_handles.h"
#include "platform/win32/framework/layout.h"
#include "platform/win32/wide.h"
#include "texts.h"
#include "windows/window_host_fixture.h"

namespace corvane {
namespace {

using automation::ChildrenOf;
using automation::ChildWithText;
using automation::ClientSize;
using automation::ControlInfo;

constexpr char kRun[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool";

// The dialog font, and the font of the entry's type and location.
constexpr wchar_t kDialogFace[] = L"MS Sans Serif";
constexpr wchar_t kNamesFace[] = L"MS Shell Dlg 2";

// The size of the text in that face, as this process measures it.
SIZE TextSize(const std::string& text, int height, bool bold, const wchar_t* face = kDialogFace) {
  const win32::FontHandle font(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                                           FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                           DEFAULT_PITCH | FF_DONTCARE, face));
  const win32::WindowDc screen(nullptr);
  const win32::Selection use(screen.get(), font.get());
  const std::wstring wide = win32::Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(screen.get(), wide.c_str(), int(wide.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  size.cy = metrics.tmHeight;
  return size;
}

int TextWidth(const std::string& text, int height, bool bold) {
  return TextSize(text, height, bold).cx;
}

SIZE NameSize(const std::string& text) { return TextSize(text, -11, false, kNamesFace); }

class AlertWindowTest : public WindowHostTest {
 protected:
  HWND OpenAlert(const std::string& type, const std::string& location) {
    return Open({"alert", type, location}, texts::kAlertCaption);
  }
};

TEST_F(AlertWindowTest, ShowsTheLayoutOnTopOfOtherWindows) {
  const HWND alert = OpenAlert(texts::kRegistryStartupType, kRun);
  ASSERT_NE(alert, nullptr);
  const SIZE client = ClientSize(alert);
  EXPECT_EQ(client.cx, 417);
  EXPECT_EQ(client.cy, 257);
  const LONG_PTR style = GetWindowLongPtrW(alert, GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "fixed single border";
  EXPECT_NE(GetWindowLongPtrW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT frame{};
  GetWindowRect(alert, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

  struct Expected {
    std::string text;
    int left, top, width, height;
  };
  const int kLine = TextSize("", -11, false).cy;
  const int kNameLine = NameSize("").cy;
  const Expected controls[] = {
      {texts::kAlertAdvice, 40, 72, TextWidth(texts::kAlertAdvice, -11, false), kLine},
      {texts::kAlertTypeLabel, 91, 112, TextWidth(texts::kAlertTypeLabel, -11, true), kLine},
      {texts::kRegistryStartupType, 136, 112, NameSize(texts::kRegistryStartupType).cx, kNameLine},
      {texts::kAlertLocationLabel, 70, 144, TextWidth(texts::kAlertLocationLabel, -11, true),
       kLine},
      {ShownLocation(kRun), 136, 144, NameSize(ShownLocation(kRun)).cx, kNameLine},
      {texts::kYesButton, 112, 184, 75, 25},
      {texts::kNoButton, 224, 184, 75, 25},
      {texts::kDoNotAskAgain, 112, 224, 193, 17},
  };
  for (const Expected& expected : controls) {
    const ControlInfo control = ChildWithText(alert, expected.text);
    SCOPED_TRACE(expected.text);
    ASSERT_NE(control.window, nullptr);
    EXPECT_EQ(control.rect.left, expected.left);
    EXPECT_EQ(control.rect.top, expected.top);
    EXPECT_EQ(control.width(), expected.width);
    EXPECT_EQ(control.height(), expected.height);
  }
  // The two 10 point lines: the headline in bold red and the question.
  for (const std::string text : {texts::kAlertHeadline, texts::kAlertQuestion}) {
    const ControlInfo label = ChildWithText(alert, text);
    SCOPED_TRACE(text);
    const SIZE size = TextSize(text, win32::kTenPoint, true);
    EXPECT_EQ(label.width(), size.cx);
    EXPECT_EQ(label.height(), size.cy);
  }
  EXPECT_EQ(ChildWithText(alert, texts::kAlertHeadline).rect.left, 16);
  EXPECT_EQ(ChildWithText(alert, texts::kAlertQuestion).rect.left, 78);
  EXPECT_EQ(ChildWithText(alert, texts::kAlertQuestion).rect.top, 48);
  automation::PressKey(alert, VK_ESCAPE);
}

TEST_F(AlertWindowTest, YesIsTheDefaultNoTheCancelAndTabWalksYesNoCheckBox) {
  const HWND alert = OpenAlert(texts::kRegistryStartupType, kRun);
  ASSERT_NE(alert, nullptr);
  std::vector<std::string> tab_stops;
  for (const ControlInfo& control : ChildrenOf(alert)) {
    if (control.style & WS_TABSTOP) tab_stops.push_back(control.text);
  }
  EXPECT_EQ(tab_stops, (std::vector<std::string>{texts::kYesButton, texts::kNoButton,
                                                   texts::kDoNotAskAgain}));
  const ControlInfo yes = ChildWithText(alert, texts::kYesButton);
  const ControlInfo no = ChildWithText(alert, texts::kNoButton);
  EXPECT_EQ(yes.style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(no.style & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(automation::FocusIn(alert), yes.window);
  // With the program's manifest the buttons draw their captions themselves.
  EXPECT_EQ(yes.style & BS_BITMAP, 0);

  automation::PressKey(alert, VK_TAB);
  EXPECT_TRUE(automation::WaitUntil([&] { return automation::FocusIn(alert) == no.window; }));
  automation::PressKey(alert, VK_TAB);
  EXPECT_TRUE(automation::WaitUntil([&] {
    return automation::FocusIn(alert) == ChildWithText(alert, texts::kDoNotAskAgain).window;
  }));
  automation::PressKey(alert, VK_ESCAPE);
  EXPECT_EQ(Results(), std::vector<std::string>{"result=No remove=1 enabled=1 checked=0 timer=1"});
}

TEST_F(AlertWindowTest, EnterKeepsTheEntry) {
  const HWND alert = OpenAlert(texts::kStartupFolderType, "C:\\Startup\\tool.lnk");
  ASSERT_NE(alert, nullptr);
  automation::PressKey(alert, VK_RETURN);
  EXPECT_EQ(Results(),
            std::vector<std::string>{"result=Yes remove=0 enabled=0 checked=0 timer=1"});
}

TEST_F(AlertWindowTest, EscRemovesTheEntry) {
  const HWND alert = OpenAlert(texts::kStartupFolderType, "C:\\Startup\\tool.lnk");
  ASSERT_NE(alert, nullptr);
  automation::PressKey(alert, VK_ESCAPE);
  EXPECT_EQ(Results(), std::vector<std::string>{"result=No remove=1 enabled=0 checked=0 timer=1"});
}

TEST_F(AlertWindowTest, TheCloseButtonKeepsTheEntry) {
  const HWND alert = OpenAlert(texts::kStartupFolderType, "C:\\Startup\\tool.lnk");
  ASSERT_NE(alert, nullptr);
  automation::CloseWithCloseButton(alert);
  EXPECT_EQ(Results(),
            std::vector<std::string>{"result=None remove=0 enabled=0 checked=0 timer=1"});
}

TEST_F(AlertWindowTest, EnterAnswersWithTheButtonThatHasTheFocus) {
  const HWND alert = OpenAlert(texts::kStartupFolderType, "C:\\Startup\\tool.lnk");
  ASSERT_NE(alert, nullptr);
  const HWND no = ChildWithText(alert, texts::kNoButton).window;
  automation::PressKey(alert, VK_TAB);
  ASSERT_TRUE(automation::WaitUntil([&] { return automation::FocusIn(alert) == no; }));
  // The focused button shows the default frame instead of Yes.
  EXPECT_TRUE(automation::WaitUntil(
      [&] { return (GetWindowLongPtrW(no, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }));
  automation::PressKey(alert, VK_RETURN);
  EXPECT_EQ(Results(), std::vector<std::string>{"result=No remove=1 enabled=0 checked=0 timer=1"});
}

TEST_F(AlertWindowTest, ButtonsAnswerWhenClicked) {
  const HWND alert = Open({"alert", texts::kRegistryType, texts::kStartPageLocation,
                           texts::kRegistryType, texts::kBrowserHelperLocation},
                          texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  automation::Click(ChildWithText(alert, texts::kNoButton).window);
  // The same window comes back for the second alert, with the new location.
  ASSERT_TRUE(automation::WaitUntil([&] {
    return IsWindowVisible(alert) &&
           ChildWithText(alert, texts::kBrowserHelperLocation).window != nullptr;
  }));
  automation::Click(ChildWithText(alert, texts::kYesButton).window);
  EXPECT_EQ(Results(), (std::vector<std::string>{
                           "result=No remove=1 enabled=0 checked=0 timer=1",
                           "result=Yes remove=0 enabled=0 checked=0 timer=1"}));
}

TEST_F(AlertWindowTest, OnlyRegistryStartupOffersTheDoNotAskBox) {
  const char* const types[] = {texts::kRegistryStartupType, "registry startup",
                               texts::kRegistryType, texts::kRegistryServiceType,
                               "Registry Startup "};
  std::vector<std::string> arguments{"alert"};
  for (const char* type : types) {
    arguments.push_back(type);
    arguments.push_back("Tool");
  }
  const HWND alert = Open(arguments, texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  std::vector<bool> enabled;
  for (const char* type : types) {
    ASSERT_TRUE(automation::WaitUntil([&] {
      return IsWindowVisible(alert) && ChildWithText(alert, type).window != nullptr;
    })) << type;
    enabled.push_back(ChildWithText(alert, texts::kDoNotAskAgain).enabled);
    // Not waited for to go: the next alert may show before a test could see
    // it hidden. Each type differs from the one before it.
    automation::PressKey(alert, VK_ESCAPE);
  }
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, false, false}));
  EXPECT_EQ(Results().size(), 5u);
}

TEST_F(AlertWindowTest, TheTickOutlivesTheAlertWhileTheBoxIsSetAnew) {
  const HWND alert = Open({"alert", texts::kRegistryStartupType, kRun,
                           texts::kStartupFolderType, "C:\\Startup\\tool.lnk"},
                          texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  const HWND box = ChildWithText(alert, texts::kDoNotAskAgain).window;
  automation::Click(box);
  ASSERT_TRUE(automation::WaitUntil(
      [&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  automation::PressKey(alert, VK_RETURN);
  ASSERT_TRUE(automation::WaitUntil([&] {
    return IsWindowVisible(alert) && ChildWithText(alert, texts::kStartupFolderType).window;
  }));
  automation::PressKey(alert, VK_ESCAPE);
  EXPECT_EQ(Results(), (std::vector<std::string>{
                           "result=Yes remove=0 enabled=1 checked=1 timer=1",
                           "result=No remove=1 enabled=0 checked=1 timer=1"}));
}

TEST_F(AlertWindowTest, ALongLocationShowsItsEnd) {
  const std::string location = std::string(64, 'x') + "\\0123456789abcdefghijklmnopqrstuvwxy";
  const HWND alert = OpenAlert(texts::kRegistryStartupType, location);
  ASSERT_NE(alert, nullptr);
  const std::string shown = "..." + location.substr(location.size() - 36);
  const ControlInfo label = ChildWithText(alert, shown);
  ASSERT_NE(label.window, nullptr);
  EXPECT_EQ(label.width(), NameSize(shown).cx);
  automation::PressKey(alert, VK_ESCAPE);
}

// Names come from anywhere: a Run value or a file named in Cyrillic,
// Chinese or Greek, or with a character beyond the BMP, shows whole,
// measured in the names' face.
TEST_F(AlertWindowTest, NamesInAnyScriptShowWhole) {
  struct Entry {
    std::string type, location;
  };
  const Entry entries[] = {
      {texts::kRegistryStartupType, "Run\\Тест工具"},
      {texts::kStartupFolderType, "C:\\Автозагрузка\\工具.lnk"},
      {"Ωμέγα.ini File", "C:\\\xCE\xB1\xF0\x9F\x98\x80.lnk"},  // alpha, and a face beyond the BMP
  };
  std::vector<std::string> arguments{"alert"};
  for (const Entry& entry : entries) {
    arguments.push_back(entry.type);
    arguments.push_back(entry.location);
  }
  const HWND alert = Open(arguments, texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  for (const Entry& entry : entries) {
    const std::string shown = ShownLocation(entry.location);
    SCOPED_TRACE(shown);
    ASSERT_TRUE(automation::WaitUntil(
        [&] { return IsWindowVisible(alert) && ChildWithText(alert, shown).window != nullptr; }));
    const ControlInfo location = ChildWithText(alert, shown);
    EXPECT_EQ(location.width(), NameSize(shown).cx);
    EXPECT_EQ(location.height(), NameSize(shown).cy);
    EXPECT_EQ(ChildWithText(alert, entry.type).width(), NameSize(entry.type).cx);
    // The next alert may show before a test could see this one go.
    automation::PressKey(alert, VK_RETURN);
  }
  EXPECT_EQ(Results().size(), std::size(entries));
}

}  // namespace
}  // namespace corvane
