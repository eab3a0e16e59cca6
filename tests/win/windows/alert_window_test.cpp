// The alert window as a user meets it: shown by ShowAlert in the host,
// looked at and answered from this process.
#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "automation/tool_tips.h"
#include "changes/alert.h"
#include "platform/errors.h"
#include "platform/file_system.h"
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

constexpr char kRun[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool";

// The lines of facts, one below the other from the type's line on; the
// buttons and the check boxes below the last.
constexpr int kLineTop[] = {112, 144, 176, 208, 240};
constexpr int kButtonsBelowLastLine = 40;
constexpr int kMargin = 16;

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

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "";
  std::string text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = win32::Utf8(wide, std::wcslen(wide));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// How many of the window's visible children are of that class.
int VisibleCount(HWND alert, const std::string& class_name) {
  int count = 0;
  for (const ControlInfo& control : ChildrenOf(alert)) {
    count += control.visible && control.class_name == class_name;
  }
  return count;
}

class AlertWindowTest : public WindowHostTest {
 protected:
  HWND OpenAlert(const std::string& type, const std::string& location,
                 const std::vector<std::string>& options = {}) {
    std::vector<std::string> arguments{"alert", type, location};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return Open(arguments, texts::kAlertCaption);
  }
  // Waits until the alert is up showing that text, as the next of several.
  static bool WaitForText(HWND alert, const std::string& text) {
    return automation::WaitUntil(
        [&] { return IsWindowVisible(alert) && ChildWithText(alert, text).window != nullptr; });
  }
};

TEST_F(AlertWindowTest, ShowsTheLayoutOnTopOfOtherWindows) {
  const HWND alert = OpenAlert(texts::kRegistryStartupType, kRun);
  ASSERT_NE(alert, nullptr);
  // As wide as the layout, or wider where the fonts at hand need it; as high
  // as the layout with the command's line.
  const SIZE client = ClientSize(alert);
  EXPECT_GE(client.cx, 417);
  EXPECT_EQ(client.cy, 257 + 32);
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
  const int captions_end = 70 + TextWidth(texts::kAlertLocationLabel, -11, true);
  const int command_caption = TextWidth(texts::kAlertCommandLabel, -11, true);
  const int buttons = kLineTop[2] + kButtonsBelowLastLine;
  const Expected controls[] = {
      {texts::kAlertAdvice, 40, 72, TextWidth(texts::kAlertAdvice, -11, false), kLine},
      {texts::kAlertTypeLabel, 91, 112, TextWidth(texts::kAlertTypeLabel, -11, true), kLine},
      {texts::kRegistryStartupType, 136, 112, NameSize(texts::kRegistryStartupType).cx, kNameLine},
      {texts::kAlertLocationLabel, 70, 144, TextWidth(texts::kAlertLocationLabel, -11, true),
       kLine},
      {kRun, 136, 144, client.cx - 136 - kMargin, kNameLine},
      {texts::kAlertCommandLabel, captions_end - command_caption, 176, command_caption, kLine},
      {texts::kYesButton, 112, buttons, 75, 25},
      {texts::kNoButton, 224, buttons, 75, 25},
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
  const ControlInfo do_not_ask = ChildWithText(alert, texts::kDoNotAskAgain);
  EXPECT_EQ(do_not_ask.rect.left, 112);
  EXPECT_EQ(do_not_ask.rect.top, buttons + 40);
  EXPECT_EQ(do_not_ask.height(), 17);
  // Its box and its whole text.
  EXPECT_GE(do_not_ask.width(), std::max(193, TextWidth(texts::kDoNotAskAgain, -11, false) + 13));
  // Nothing runs into the window's edge: every text is seen whole or shortened.
  for (const ControlInfo& control : ChildrenOf(alert)) {
    if (control.visible) {
      EXPECT_LE(control.rect.right, client.cx - kMargin) << control.text;
    }
  }
  automation::PressKey(alert, VK_ESCAPE);
}

TEST_F(AlertWindowTest, YesIsTheDefaultNoTheCancelAndTabWalksYesNoTheBoxesAndCopy) {
  const HWND alert = OpenAlert(texts::kRegistryStartupType, kRun, {"--same=2"});
  ASSERT_NE(alert, nullptr);
  const std::string same_answer = FormatText(texts::kSameAnswerNew, "2");
  std::vector<std::string> tab_stops;
  for (const ControlInfo& control : ChildrenOf(alert)) {
    if (control.visible && (control.style & WS_TABSTOP)) tab_stops.push_back(control.text);
  }
  EXPECT_EQ(tab_stops, (std::vector<std::string>{texts::kYesButton, texts::kNoButton,
                                                   texts::kDoNotAskAgain, same_answer,
                                                   texts::kCopyDetails}));
  const ControlInfo yes = ChildWithText(alert, texts::kYesButton);
  const ControlInfo no = ChildWithText(alert, texts::kNoButton);
  EXPECT_EQ(yes.style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(no.style & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(automation::FocusIn(alert), yes.window);
  // With the program's manifest the buttons draw their captions themselves.
  EXPECT_EQ(yes.style & BS_BITMAP, 0);

  automation::PressKey(alert, VK_TAB);
  EXPECT_TRUE(automation::WaitUntil([&] { return automation::FocusIn(alert) == no.window; }));
  for (const std::string& next : {std::string(texts::kDoNotAskAgain), same_answer,
                                  std::string(texts::kCopyDetails)}) {
    automation::PressKey(alert, VK_TAB);
    EXPECT_TRUE(automation::WaitUntil(
        [&] { return automation::FocusIn(alert) == ChildWithText(alert, next).window; }))
        << next;
  }
  automation::PressKey(alert, VK_ESCAPE);
  EXPECT_EQ(Results(),
            std::vector<std::string>{"result=No remove=1 enabled=1 checked=0 timer=1 same=0"});
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

TEST_F(AlertWindowTest, ButtonsAnswerWhenClickedOrByTheirAccessKeys) {
  const char* const locations[] = {texts::kStartPageLocation, texts::kBrowserHelperLocation,
                                   texts::kStartPageLocation, texts::kBrowserHelperLocation};
  std::vector<std::string> arguments{"alert"};
  for (const char* location : locations) {
    arguments.insert(arguments.end(), {texts::kRegistryType, location});
  }
  const HWND alert = Open(arguments, texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  for (std::size_t index = 0; index < std::size(locations); ++index) {
    // The same window comes back for the next alert, with the new location.
    ASSERT_TRUE(automation::WaitUntil([&] {
      return IsWindowVisible(alert) && ChildWithText(alert, locations[index]).window != nullptr;
    }));
    if (index < 2) {
      automation::Click(
          ChildWithText(alert, index == 0 ? texts::kNoButton : texts::kYesButton).window);
    } else {
      automation::PressAltKey(alert, index == 2 ? L'n' : L'Y');
    }
  }
  EXPECT_EQ(Results(),
            (std::vector<std::string>{"result=No remove=1 enabled=0 checked=0 timer=1",
                                      "result=Yes remove=0 enabled=0 checked=0 timer=1",
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

// The location's window text stays whole, for the user's tool tip and for
// tools that read the screen; only the drawing loses the middle. A command
// takes up to three lines instead, its program's name and arguments in view,
// and the window grows by them.
TEST_F(AlertWindowTest, ALongLocationIsShortenedInTheMiddleALongCommandWrapped) {
  const std::string location =
      "HKEY_LOCAL_MACHINE\\Software\\" + std::string(120, 'x') + "\\Тест工具";
  const std::string command = "C:\\Program Files\\" + std::string(100, 'y') + "\\tool.exe /run";
  const HWND alert =
      OpenAlert(texts::kRegistryStartupType, location, {"--command=" + command});
  ASSERT_NE(alert, nullptr);
  const SIZE client = ClientSize(alert);
  const auto tips = automation::ToolTipsOf(alert);
  const ControlInfo shortened = ChildWithText(alert, location);
  ASSERT_NE(shortened.window, nullptr);
  EXPECT_EQ(shortened.style & SS_ELLIPSISMASK, SS_PATHELLIPSIS);
  EXPECT_LT(shortened.width(), NameSize(location).cx);
  EXPECT_EQ(shortened.rect.right, client.cx - kMargin);
  EXPECT_EQ(tips.at(shortened.window), location);

  ControlInfo wrapped;
  for (const ControlInfo& control : ChildrenOf(alert)) {
    const auto tip = tips.find(control.window);
    if (tip != tips.end() && tip->second == command) wrapped = control;
  }
  ASSERT_NE(wrapped.window, nullptr);
  const std::vector<std::string> lines = SplitTextLines(wrapped.text);
  ASSERT_GE(lines.size(), 2u);
  ASSERT_LE(lines.size(), 3u);
  EXPECT_NE(wrapped.text.find("\\tool.exe"), std::string::npos) << wrapped.text;
  EXPECT_EQ(lines.back().substr(lines.back().size() - 4), "/run");
  for (const std::string& line : lines) EXPECT_LE(NameSize(line).cx, wrapped.width()) << line;
  EXPECT_EQ(wrapped.style & SS_ELLIPSISMASK, 0);
  EXPECT_EQ(wrapped.height(), int(lines.size()) * NameSize("").cy);
  EXPECT_EQ(ChildWithText(alert, texts::kYesButton).rect.top,
            kLineTop[2] + wrapped.height() - NameSize("").cy + kButtonsBelowLastLine);
  automation::PressKey(alert, VK_ESCAPE);
}

// The lines below the location follow the entry: one command, or the old and
// the new one of a changed entry, then the publisher when one is known; the
// window grows by them and the controls below move down with them.
TEST_F(AlertWindowTest, TheCommandAndPublisherLinesFollowTheEntry) {
  using Lines = std::vector<std::pair<std::string, std::string>>;
  const struct {
    std::string location;
    std::vector<std::string> options;
    bool changed;
    Lines lines;
  } cases[] = {
      {"C:\\Startup\\a.lnk",
       {"--command=C:\\a.exe /s"},
       false,
       {{texts::kAlertCommandLabel, "C:\\a.exe /s"}}},
      {"C:\\Startup\\b.lnk",
       {"--command=C:\\b.exe", "--publisher=Halvorn LLC."},
       false,
       {{texts::kAlertCommandLabel, "C:\\b.exe"}, {texts::kAlertPublisherLabel, "Halvorn LLC."}}},
      {"C:\\Startup\\d.lnk",
       {"--old-command=C:\\old.exe", "--command=C:\\d.exe", "--publisher=工具 Ltd."},
       true,
       {{texts::kAlertOldCommandLabel, "C:\\old.exe"},
        {texts::kAlertNewCommandLabel, "C:\\d.exe"},
        {texts::kAlertPublisherLabel, "工具 Ltd."}}},
      // The program's signature fills the Publisher line in when it comes.
      {"C:\\Startup\\e.lnk",
       {"--command=C:\\gone\\e.exe", "--publisher=Halvorn LLC.", "--program=C:\\gone\\e.exe"},
       false,
       {{texts::kAlertCommandLabel, "C:\\gone\\e.exe"},
        {texts::kAlertPublisherLabel, "(file not found)"}}},
  };
  std::vector<std::string> arguments{"alert"};
  for (const auto& c : cases) {
    arguments.push_back(texts::kStartupFolderType);
    arguments.push_back(c.location);
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
  }
  const HWND alert = Open(arguments, texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  const char* const captions[] = {texts::kAlertCommandLabel, texts::kAlertOldCommandLabel,
                                  texts::kAlertNewCommandLabel, texts::kAlertPublisherLabel};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    ASSERT_TRUE(WaitForText(alert, c.location));
    ASSERT_TRUE(WaitForText(alert, c.lines.back().second));
    EXPECT_NE(ChildWithText(alert, c.changed ? texts::kAlertChangedHeadline
                                             : texts::kAlertHeadline).window, nullptr);
    EXPECT_NE(ChildWithText(alert, c.changed ? texts::kAlertChangedQuestion
                                             : texts::kAlertQuestion).window, nullptr);
    const int captions_end = ChildWithText(alert, texts::kAlertLocationLabel).rect.right;
    int shown_captions = 0;
    for (const char* caption : captions) shown_captions += ChildWithText(alert, caption).visible;
    EXPECT_EQ(shown_captions, int(c.lines.size()));
    for (std::size_t index = 0; index < c.lines.size(); ++index) {
      const ControlInfo caption = ChildWithText(alert, c.lines[index].first);
      const ControlInfo text = ChildWithText(alert, c.lines[index].second);
      SCOPED_TRACE(c.lines[index].first);
      EXPECT_EQ(caption.rect.top, kLineTop[2 + index]);
      EXPECT_EQ(caption.rect.right, captions_end);
      EXPECT_EQ(text.rect.top, kLineTop[2 + index]);
      EXPECT_EQ(text.rect.left, 136);
    }
    const int buttons = kLineTop[1 + c.lines.size()] + kButtonsBelowLastLine;
    EXPECT_EQ(ChildWithText(alert, texts::kYesButton).rect.top, buttons);
    EXPECT_EQ(ChildWithText(alert, texts::kDoNotAskAgain).rect.top, buttons + 40);
    EXPECT_EQ(ClientSize(alert).cy, buttons + 40 + 17 + kMargin);
    automation::PressKey(alert, VK_RETURN);
  }
  EXPECT_EQ(Results().size(), std::size(cases));
}

TEST_F(AlertWindowTest, CopyDetailsPutsTheFactsOnTheClipboard) {
  const HWND alert = OpenAlert(texts::kRegistryStartupType, kRun,
                               {"--command=C:\\Тест\\t.exe /s", "--publisher=工具 Ltd."});
  ASSERT_NE(alert, nullptr);
  automation::Click(ChildWithText(alert, texts::kCopyDetails).window);
  const std::string expected = std::string("Type: Registry Startup\r\nLocation: ") + kRun +
                               "\r\nCommand: C:\\Тест\\t.exe /s\r\nPublisher: 工具 Ltd.";
  EXPECT_TRUE(automation::WaitUntil([&] { return ClipboardText() == expected; }))
      << ClipboardText();
  // The alert stays until answered.
  EXPECT_TRUE(IsWindowVisible(alert));
  automation::PressKey(alert, VK_ESCAPE);
  EXPECT_EQ(Results(), std::vector<std::string>{"result=No remove=1 enabled=1 checked=0 timer=1"});
}

// "1 of 3" and the same-answer box only for an alert that has them; the box
// comes up unticked each time and its tick is what the answer reports.
TEST_F(AlertWindowTest, TheCountAndTheSameAnswerBoxShowOnlyWhenAsked) {
  const HWND alert = Open({"alert", texts::kRegistryType, "C:\\one", "--place=1/3", "--same=2",
                           texts::kRegistryType, "C:\\two", "--place=2/3", "--same=1",
                           "--old-command=C:\\was.exe", texts::kRegistryType, "C:\\three"},
                          texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  // The labels: nine for a new entry, two more for the changed one's
  // second command, one more for the count.
  const struct {
    std::string location, place, same_answer;
    int labels;
    bool tick;
    WORD key;
  } steps[] = {
      {"C:\\one", "1 of 3", FormatText(texts::kSameAnswerNew, "2"), 10, true, VK_RETURN},
      {"C:\\two", "2 of 3", texts::kSameAnswerOne, 12, false, VK_ESCAPE},
      {"C:\\three", "", "", 9, false, VK_RETURN},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.location);
    ASSERT_TRUE(WaitForText(alert, step.location));
    EXPECT_EQ(VisibleCount(alert, "STATIC"), step.labels);
    if (!step.place.empty()) {
      EXPECT_NE(ChildWithText(alert, step.place).window, nullptr);
    }
    EXPECT_EQ(VisibleCount(alert, "BUTTON"), step.same_answer.empty() ? 4 : 5);
    if (!step.same_answer.empty()) {
      const HWND box = ChildWithText(alert, step.same_answer).window;
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
      if (step.tick) {
        automation::Click(box);
        ASSERT_TRUE(automation::WaitUntil(
            [&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
      }
    }
    automation::PressKey(alert, step.key);
  }
  EXPECT_EQ(Results(), (std::vector<std::string>{
                           "result=Yes remove=0 enabled=0 checked=0 timer=1 same=1",
                           "result=No remove=1 enabled=0 checked=0 timer=1 same=0",
                           "result=Yes remove=0 enabled=0 checked=0 timer=1"}));
}

// Names come from anywhere: a Run value or a file named in Cyrillic,
// Chinese or Greek, or with a character beyond the BMP, shows whole in the
// names' face.
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
    SCOPED_TRACE(entry.location);
    ASSERT_TRUE(WaitForText(alert, entry.location));
    const ControlInfo location = ChildWithText(alert, entry.location);
    EXPECT_GE(location.width(), NameSize(entry.location).cx);
    EXPECT_EQ(location.height(), NameSize(entry.location).cy);
    EXPECT_EQ(ChildWithText(alert, entry.type).width(), NameSize(entry.type).cx);
    // The next alert may show before a test could see this one go.
    automation::PressKey(alert, VK_RETURN);
  }
  EXPECT_EQ(Results().size(), std::size(entries));
}

}  // namespace
}  // namespace corvane
