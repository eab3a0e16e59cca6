// The log viewer as a user meets it: the host shows it over the log in its
// folder; this process reads it.
#include <string>
#include <vector>

#include "platform/errors.h"
#include "texts.h"
#include "windows/window_host_fixture.h"

namespace corvane {
namespace {

using automation::ChildrenOf;
using automation::ChildWithText;
using automation::ControlInfo;
using automation::TextOf;
using Lines = std::vector<std::string>;

constexpr char kLog[] = "corvane.log";

class LogViewerTest : public WindowHostTest {
 protected:
  HWND OpenViewer() {
    viewer_ = Open({"log"}, texts::kLogViewerCaption);
    if (viewer_ != nullptr) {
      for (const ControlInfo& control : ChildrenOf(viewer_)) {
        if (control.class_name == "EDIT") memo_ = control.window;
      }
    }
    return viewer_;
  }

  // The text once it is there; the viewer loads it on activation.
  std::string MemoTextOnceThere(const std::string& expected) const {
    automation::WaitUntil([&] { return TextOf(memo_) == expected; });
    return TextOf(memo_);
  }

  HWND viewer_ = nullptr;
  HWND memo_ = nullptr;
};

TEST_F(LogViewerTest, ShowsTheLayoutWithAWrappingReadOnlyTextBox) {
  ASSERT_NE(OpenViewer(), nullptr);
  const SIZE client = automation::ClientSize(viewer_);
  EXPECT_EQ(client.cx, 675);
  EXPECT_EQ(client.cy, 512);
  ASSERT_NE(memo_, nullptr);
  const ControlInfo memo = ChildrenOf(viewer_).front();
  EXPECT_EQ(memo.window, memo_) << "first in the tab order";
  EXPECT_EQ(memo.rect.left, 16);
  EXPECT_EQ(memo.rect.top, 16);
  EXPECT_EQ(memo.width(), 641);
  EXPECT_EQ(memo.height(), 433);
  EXPECT_EQ(memo.style & (ES_MULTILINE | ES_READONLY), ES_MULTILINE | ES_READONLY);
  EXPECT_EQ(memo.style & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL), WS_VSCROLL);

  const ControlInfo close = ChildWithText(viewer_, texts::kCloseButton);
  ASSERT_NE(close.window, nullptr);
  EXPECT_EQ(close.rect.left, 296);
  EXPECT_EQ(close.rect.top, 472);
  EXPECT_EQ(close.width(), 81);
  EXPECT_EQ(close.height(), 25);
  automation::Click(close.window);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

TEST_F(LogViewerTest, ShowsEveryLineOfTheLog) {
  const std::string first = "08.12.2026 10:00:00 - Deleted IE BHO [User Invoked]";
  Put(kLog, first + "\r\nLF line\nCR line\rlast");
  ASSERT_NE(OpenViewer(), nullptr);
  const std::string shown = first + "\r\nLF line\r\nCR line\r\nlast";
  EXPECT_EQ(MemoTextOnceThere(shown), shown);
  EXPECT_EQ(SendMessageW(memo_, EM_GETLINECOUNT, 0, 0), 4);
  automation::PressKey(viewer_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

TEST_F(LogViewerTest, ShowsNamesInAnyScript) {
  const std::string log =
      "08.12.2026 10:00:00 - Deleted Registry Startup: Тест工具 [User Invoked] \r\n"
      "08.12.2026 10:00:10 - Deleted Startup Folder file: C:\\\xCE\xB1\xF0\x9F\x98\x80.lnk";
  Put(kLog, log);
  ASSERT_NE(OpenViewer(), nullptr);
  EXPECT_EQ(MemoTextOnceThere(log), log);
  automation::PressKey(viewer_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

TEST_F(LogViewerTest, ALongLineWrapsAtTheBoxWidth) {
  std::string line;
  for (int word = 0; word < 60; ++word) line += "removed ";
  Put(kLog, line + "\r\n");
  ASSERT_NE(OpenViewer(), nullptr);
  ASSERT_EQ(MemoTextOnceThere(line), line);
  EXPECT_GT(SendMessageW(memo_, EM_GETLINECOUNT, 0, 0), 1);
  automation::CloseWithCloseButton(viewer_);
  EXPECT_EQ(Results(), Lines{"result=None"});
}

TEST_F(LogViewerTest, ALongLogOpensAtItsNewestLine) {
  std::string log;
  for (int line = 1; line <= 300; ++line) log += "line " + std::to_string(line) + "\r\n";
  log += "newest";
  Put(kLog, log);
  ASSERT_NE(OpenViewer(), nullptr);
  ASSERT_EQ(MemoTextOnceThere(log), log);
  EXPECT_GT(SendMessageW(memo_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  const LRESULT last = SendMessageW(memo_, EM_GETLINECOUNT, 0, 0) - 1;
  const LRESULT start = SendMessageW(memo_, EM_LINEINDEX, static_cast<WPARAM>(last), 0);
  const LRESULT at = SendMessageW(memo_, EM_POSFROMCHAR, static_cast<WPARAM>(start), 0);
  RECT client{};
  GetClientRect(memo_, &client);
  const int top = static_cast<short>(HIWORD(at));
  EXPECT_GE(top, 0) << "the last line is above the box";
  EXPECT_LT(top, client.bottom) << "the last line is below the box";
  automation::PressKey(viewer_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

TEST_F(LogViewerTest, WithoutALogTheBoxSaysHowToTurnLoggingOn) {
  ASSERT_NE(OpenViewer(), nullptr);
  const std::string hint = FormatText(texts::kLoggingOffHint, texts::kKeepLogOption);
  EXPECT_EQ(MemoTextOnceThere(hint), hint);
  Sleep(200);  // time for a message box that should not come
  EXPECT_EQ(automation::FindWindowOf(host_->id(), texts::kApplicationTitle), nullptr);
  EXPECT_FALSE(Exists(kLog)) << "the viewer never makes the log";
  automation::PressKey(viewer_, VK_ESCAPE);
  EXPECT_EQ(Results(), Lines{"result=Cancel"});
}

}  // namespace
}  // namespace corvane
