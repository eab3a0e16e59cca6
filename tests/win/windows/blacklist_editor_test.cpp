// The blacklist editor as a user meets it: the host shows it over the
// blacklist file in its folder; this process reads and drives it.
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "automation/tool_tips.h"
#include "platform/win32/framework/gui_handles.h"
#include "texts.h"
#include "windows/window_host_fixture.h"

namespace corvane {
namespace {

using automation::ChildrenOf;
using automation::ChildWithText;
using automation::ControlInfo;
using automation::ListItems;
using Lines = std::vector<std::string>;

constexpr char kBlacklist[] = "blacklist";
constexpr char kMatches[] = "blacklist-matches";
const std::string kThreeNames = "alpha\r\n\r\n  beta  \r\ngamma\r\n";

// The local time that many days ago, as the matches file holds it.
std::string DaysAgo(int days) {
  const std::time_t then = std::time(nullptr) - std::time_t(days) * 24 * 3600;
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&then));
  return text;
}

class BlacklistEditorTest : public WindowHostTest {
 protected:
  HWND OpenEditor() {
    editor_ = Open({"blacklist"}, texts::kBlacklistCaption);
    if (editor_ != nullptr) list_ = ListBox();
    return editor_;
  }

  HWND ListBox() const {
    for (const ControlInfo& control : ChildrenOf(editor_)) {
      if (control.class_name == "LISTBOX") return control.window;
    }
    return nullptr;
  }

  HWND Button(const char* text) const { return ChildWithText(editor_, text).window; }

  HWND Box() const {
    for (const ControlInfo& control : ChildrenOf(editor_)) {
      if (control.class_name == "EDIT") return control.window;
    }
    return nullptr;
  }

  // Types the text over what the box holds; posted, so it comes in order
  // with the clicks.
  void TypeInBox(const std::string& text) const {
    PostMessageW(Box(), EM_SETSEL, 0, -1);
    PostMessageW(Box(), WM_CLEAR, 0, 0);
    for (const wchar_t unit : win32::Wide(text)) PostMessageW(Box(), WM_CHAR, unit, 1);
  }

  // The list once it holds that many items; the editor loads it on activation.
  Lines ItemsOnceThere(std::size_t count) const {
    automation::WaitUntil([&] { return ListItems(list_).size() == count; });
    return ListItems(list_);
  }

  // Answers the save confirmation, which must say the list was saved.
  void ConfirmSaved() {
    const automation::MessageBoxInfo box = WaitForBox(texts::kInformationTitle);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, texts::kBlacklistSaved);
    EXPECT_NE(box.icon, nullptr);
    EXPECT_EQ(box.owner, editor_) << "the box belongs to the editor";
    EXPECT_EQ(box.buttons, 1);
    automation::PressOk(box);
  }

  HWND editor_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(BlacklistEditorTest, ShowsTheLayoutWithTipsOnTheButtons) {
  Put(kBlacklist, kThreeNames);
  ASSERT_NE(OpenEditor(), nullptr);
  const SIZE client = automation::ClientSize(editor_);
  EXPECT_EQ(client.cx, 341);
  EXPECT_EQ(client.cy, 306);
  EXPECT_EQ(GetWindowLongPtrW(editor_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLongPtrW(editor_, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

  struct Expected {
    const char* text;
    int left, top, width, height;
  };
  const Expected buttons[] = {{texts::kAddButton, 246, 211, 75, 25},
                              {texts::kSaveButton, 16, 260, 75, 25},
                              {texts::kDeleteButton, 112, 260, 75, 25},
                              {texts::kCancelButton, 208, 260, 75, 25}};
  for (const Expected& expected : buttons) {
    SCOPED_TRACE(expected.text);
    const ControlInfo button = ChildWithText(editor_, expected.text);
    ASSERT_NE(button.window, nullptr);
    EXPECT_EQ(button.rect.left, expected.left);
    EXPECT_EQ(button.rect.top, expected.top);
    EXPECT_EQ(button.width(), expected.width);
    EXPECT_EQ(button.height(), expected.height);
  }
  const ControlInfo prompt = ChildWithText(editor_, texts::kBlacklistPrompt);
  EXPECT_EQ(prompt.rect.left, 16);
  EXPECT_EQ(prompt.rect.top, 16);

  Lines tab_stops;
  for (const ControlInfo& control : ChildrenOf(editor_)) {
    if (!(control.style & WS_TABSTOP)) continue;
    if (control.class_name == "EDIT") {
      tab_stops.push_back("box");
      EXPECT_EQ(control.rect.left, 16);
      EXPECT_EQ(control.rect.top, 212);
      EXPECT_EQ(control.width(), 217);
      EXPECT_EQ(control.style & (ES_MULTILINE | ES_READONLY | ES_PASSWORD), 0);
      continue;
    }
    tab_stops.push_back(control.class_name == "LISTBOX" ? "list" : control.text);
    if (control.class_name != "LISTBOX") continue;
    EXPECT_EQ(control.rect.left, 16);
    EXPECT_EQ(control.rect.top, 40);
    EXPECT_EQ(control.width(), 305);
    EXPECT_EQ(control.height(), 161);
    EXPECT_EQ(control.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_SORT), 0);
  }
  EXPECT_EQ(tab_stops, (Lines{"list", "box", texts::kAddButton, texts::kSaveButton,
                              texts::kDeleteButton, texts::kCancelButton}));
  EXPECT_EQ(GetWindowLongPtrW(Button(texts::kSaveButton), GWL_STYLE) & BS_TYPEMASK,
            BS_DEFPUSHBUTTON);
  EXPECT_EQ(automation::FocusIn(editor_), list_);

  const std::map<HWND, std::string> tips = automation::ToolTipsOf(editor_);
  EXPECT_EQ(tips, (std::map<HWND, std::string>{
                      {Button(texts::kAddButton), texts::kAddEntryTip},
                      {Button(texts::kSaveButton), texts::kSaveListTip},
                      {Button(texts::kDeleteButton), texts::kDeleteEntryTip},
                      {Button(texts::kCancelButton), texts::kDoNotSaveTip}}));
  automation::PressKey(editor_, VK_ESCAPE);
}

TEST_F(BlacklistEditorTest, ListsEveryLineAsRead) {
  Put(kBlacklist, kThreeNames);
  ASSERT_NE(OpenEditor(), nullptr);
  EXPECT_EQ(ItemsOnceThere(4), (Lines{"alpha", "", "  beta  ", "gamma"}));
  automation::PressKey(editor_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

// Value names in any script go through the list and back into the file unchanged.
TEST_F(BlacklistEditorTest, NamesInAnyScriptListAndSaveWhole) {
  const Lines names{"Тест工具", "更新程序", "\xCE\xB1\xF0\x9F\x98\x80", "plain"};
  Put(kBlacklist, "Тест工具\r\n更新程序\r\n\xCE\xB1\xF0\x9F\x98\x80\r\nplain\r\n");
  ASSERT_NE(OpenEditor(), nullptr);
  EXPECT_EQ(ItemsOnceThere(4), names);
  automation::SelectListItem(list_, 3);
  automation::Click(Button(texts::kDeleteButton));
  ItemsOnceThere(3);
  automation::Click(Button(texts::kSaveButton));
  ConfirmSaved();
  EXPECT_EQ(Results(), Lines{"result=Ok"});
  EXPECT_EQ(BytesOf(kBlacklist), "Тест工具\r\n更新程序\r\n\xCE\xB1\xF0\x9F\x98\x80\r\n");
}

TEST_F(BlacklistEditorTest, WithoutAFileTheListIsEmptyAndSaveMakesAnEmptyFile) {
  ASSERT_NE(OpenEditor(), nullptr);
  EXPECT_TRUE(ListItems(list_).empty());
  automation::Click(Button(texts::kSaveButton));
  ConfirmSaved();
  EXPECT_EQ(Results(), Lines{"result=Ok"});
  EXPECT_TRUE(Exists(kBlacklist));
  EXPECT_EQ(BytesOf(kBlacklist), "");
}

TEST_F(BlacklistEditorTest, DeleteDropsTheSelectedItemAndSaveWritesTheRest) {
  Put(kBlacklist, kThreeNames);
  ASSERT_NE(OpenEditor(), nullptr);
  ItemsOnceThere(4);
  automation::SelectListItem(list_, 1);
  automation::Click(Button(texts::kDeleteButton));
  EXPECT_EQ(ItemsOnceThere(3), (Lines{"alpha", "  beta  ", "gamma"}));
  EXPECT_EQ(BytesOf(kBlacklist), kThreeNames) << "Delete leaves the file alone";
  EXPECT_TRUE(IsWindowVisible(editor_));

  automation::SelectListItem(list_, 2);
  automation::Click(Button(texts::kDeleteButton));
  EXPECT_EQ(ItemsOnceThere(2), (Lines{"alpha", "  beta  "}));
  automation::Click(Button(texts::kSaveButton));
  ConfirmSaved();
  EXPECT_EQ(Results(), Lines{"result=Ok"});
  EXPECT_EQ(BytesOf(kBlacklist), "alpha\r\n  beta  \r\n");
}

TEST_F(BlacklistEditorTest, DeleteWithNothingSelectedKeepsEveryLine) {
  Put(kBlacklist, "one\ntwo\n");  // LF alone ends a line too; Save writes CR LF
  ASSERT_NE(OpenEditor(), nullptr);
  ItemsOnceThere(2);
  automation::SelectListItem(list_, -1);
  automation::Click(Button(texts::kDeleteButton));
  automation::Click(Button(texts::kSaveButton));
  ConfirmSaved();
  EXPECT_EQ(Results(), Lines{"result=Ok"});
  EXPECT_EQ(BytesOf(kBlacklist), "one\r\ntwo\r\n");
}

TEST_F(BlacklistEditorTest, AddAppendsATypedNameOnceAndOnlySaveWritesIt) {
  Put(kBlacklist, kThreeNames);
  ASSERT_NE(OpenEditor(), nullptr);
  ItemsOnceThere(4);
  // A name goes in trimmed; nothing, or a name that the list already holds
  // as the blacklist compares, adds nothing.
  for (const char* typed : {"  Тест工具 ", "", "   ", "beta", "Тест工具"}) {
    TypeInBox(typed);
    automation::Click(Button(texts::kAddButton));
  }
  // Enter in the box adds, rather than saving.
  automation::ClickAt(Box(), POINT{5, 5});
  TypeInBox("delta");
  automation::PressKey(editor_, VK_RETURN);
  EXPECT_EQ(ItemsOnceThere(6), (Lines{"alpha", "", "  beta  ", "gamma", "Тест工具", "delta"}));
  EXPECT_EQ(automation::SelectedListItem(list_), 5);
  EXPECT_EQ(automation::TextOf(Box()), "");
  EXPECT_EQ(BytesOf(kBlacklist), kThreeNames) << "Add leaves the file alone";

  automation::Click(Button(texts::kSaveButton));
  ConfirmSaved();
  EXPECT_EQ(Results(), Lines{"result=Ok"});
  EXPECT_EQ(BytesOf(kBlacklist), "alpha\r\n\r\n  beta  \r\ngamma\r\nТест工具\r\ndelta\r\n");
}

TEST_F(BlacklistEditorTest, ANameMatchedLatelyShowsItsLastMatchButSaveWritesOnlyNames) {
  Put(kBlacklist, "alpha\r\nbeta\r\n gamma \r\n");
  const std::string recent = DaysAgo(2);
  Put(kMatches, DaysAgo(31) + "\talpha\r\n" + DaysAgo(5) + "\tgamma\r\n" + recent + "\tgamma\r\n");
  ASSERT_NE(OpenEditor(), nullptr);
  const std::string gamma = " gamma    (matched " + recent.substr(0, 10) + ")";
  EXPECT_EQ(ItemsOnceThere(3), (Lines{"alpha", "beta", gamma}));
  automation::SelectListItem(list_, 1);
  automation::Click(Button(texts::kDeleteButton));
  EXPECT_EQ(ItemsOnceThere(2), (Lines{"alpha", gamma}));
  automation::Click(Button(texts::kSaveButton));
  ConfirmSaved();
  EXPECT_EQ(BytesOf(kBlacklist), "alpha\r\n gamma \r\n");
}

TEST_F(BlacklistEditorTest, EnterInTheListSavesAndEnterOnDeleteDeletes) {
  Put(kBlacklist, kThreeNames);
  ASSERT_NE(OpenEditor(), nullptr);
  ItemsOnceThere(4);
  // Clicking Delete gives it the focus, so that Enter now deletes again.
  automation::SelectListItem(list_, 0);
  automation::Click(Button(texts::kDeleteButton));
  ItemsOnceThere(3);
  automation::SelectListItem(list_, 0);
  automation::PressKey(editor_, VK_RETURN);
  EXPECT_EQ(ItemsOnceThere(2), (Lines{"  beta  ", "gamma"}));
  EXPECT_TRUE(IsWindowVisible(editor_));

  automation::ClickAt(list_, POINT{5, 5});
  ASSERT_TRUE(automation::WaitUntil([&] { return automation::FocusIn(editor_) == list_; }));
  automation::PressKey(editor_, VK_RETURN);
  ConfirmSaved();
  EXPECT_EQ(Results(), Lines{"result=Ok"});
  EXPECT_EQ(BytesOf(kBlacklist), "  beta  \r\ngamma\r\n");
}

TEST_F(BlacklistEditorTest, CancelEscAndTheCloseButtonLeaveTheFile) {
  enum class Way { kCancelButton, kEsc, kCloseButton };
  const struct {
    Way way;
    const char* result;
  } ways[] = {{Way::kCancelButton, "result=Cancel"},
              {Way::kEsc, "result=Cancel"},
              {Way::kCloseButton, "result=None"}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.result);
    Put(kBlacklist, kThreeNames);
    ASSERT_NE(OpenEditor(), nullptr);
    ItemsOnceThere(4);
    automation::SelectListItem(list_, 0);
    automation::Click(Button(texts::kDeleteButton));
    ItemsOnceThere(3);
    if (way.way == Way::kCancelButton) automation::Click(Button(texts::kCancelButton));
    if (way.way == Way::kEsc) automation::PressKey(editor_, VK_ESCAPE);
    if (way.way == Way::kCloseButton) automation::CloseWithCloseButton(editor_);
    EXPECT_EQ(Results(), Lines{way.result});
    EXPECT_EQ(BytesOf(kBlacklist), kThreeNames);
  }
}

TEST_F(BlacklistEditorTest, BecomingActiveAgainReloadsTheFile) {
  Put(kBlacklist, "alpha\r\nbeta\r\n");
  ASSERT_NE(OpenEditor(), nullptr);
  ItemsOnceThere(2);
  automation::SelectListItem(list_, 0);
  automation::Click(Button(texts::kDeleteButton));
  ASSERT_EQ(ItemsOnceThere(1), Lines{"beta"});
  Put(kBlacklist, "alpha\r\nbeta\r\nadded meanwhile\r\n");

  // Another window takes the activation, then the user comes back.
  const win32::WindowHandle other(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE,
                                                  0, 0, 50, 50, nullptr, nullptr,
                                                  GetModuleHandleW(nullptr), nullptr));
  SetForegroundWindow(other.get());
  ASSERT_TRUE(automation::WaitUntil([&] { return GetForegroundWindow() == other.get(); }));
  SetForegroundWindow(editor_);
  EXPECT_EQ(ItemsOnceThere(3), (Lines{"alpha", "beta", "added meanwhile"}));
  automation::PressKey(editor_, VK_ESCAPE);
}

TEST_F(BlacklistEditorTest, AnUnreadableFileGoesToTheErrorBoxOnce) {
  Put(kBlacklist, kThreeNames);
  // Held open without sharing, the file cannot be read by the editor.
  const win32::FileHandle held(CreateFileW(win32::Wide(Path(kBlacklist)).c_str(), GENERIC_READ, 0,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  host_.emplace(Path(kHost), std::vector<std::string>{"blacklist"});
  const automation::MessageBoxInfo box = WaitForBox(texts::kApplicationTitle);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, "Unable to read " + Path(kBlacklist) + ".");
  EXPECT_NE(box.icon, nullptr);
  editor_ = automation::FindWindowOf(host_->id(), texts::kBlacklistCaption);
  ASSERT_NE(editor_, nullptr);
  automation::PressOk(box);
  ASSERT_TRUE(automation::WaitUntilHidden(box.window));

  // Back in the editor, whose activation does not raise the box again.
  EXPECT_TRUE(automation::WaitUntil([&] { return automation::FocusIn(editor_) == ListBox(); }));
  Sleep(200);
  EXPECT_EQ(automation::FindWindowOf(host_->id(), texts::kApplicationTitle), nullptr);
  EXPECT_TRUE(ListItems(ListBox()).empty());
  automation::PressKey(editor_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

}  // namespace
}  // namespace corvane
