// A program that plants many entries at once meets one alert: it says how
// many there are, and its same-answer box gives the user's No to them all,
// which the program carries out while it keeps answering.
#include <cstdio>
#include <string>
#include <vector>

#include "automation/answer_watch.h"
#include "automation/input.h"
#include "automation/list_view.h"
#include "automation/message_box.h"
#include "platform/errors.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using automation::WaitUntil;

constexpr int kFlood = 30;
// Enough that removing them all at once took seconds without a message answered.
constexpr int kGreatFlood = 1500;

std::vector<std::string> FloodNames(int count = kFlood) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "CvFlood%02d", i);
    names.push_back(name);
  }
  return names;
}

bool AllGone(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (ReadValue(HKEY_CURRENT_USER, kRunKey, name.c_str())) return false;
  }
  return true;
}

class ProgramFloodTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    DeleteFlood();
  }
  void TearDown() override {
    ProgramTest::TearDown();
    DeleteFlood();
  }
  static void DeleteFlood() {
    for (const std::string& name : FloodNames(kGreatFlood)) {
      DeleteValue(HKEY_CURRENT_USER, kRunKey, name.c_str());
    }
  }

  // Plants the values while the watch is paused (the main window restored),
  // so that one cycle finds all of them, and runs that cycle. Returns its
  // first alert with the same-answer box ticked, or null.
  HWND AlertForAll(const std::vector<std::string>& names) {
    Choose(kRestoreCommand);
    if (!WaitUntilShown()) return nullptr;
    for (const std::string& name : names) {
      WriteValue(HKEY_CURRENT_USER, kRunKey, name.c_str(), "C:\\flood\\" + name + ".exe");
    }
    automation::Click(ControlWithText(texts::kCancelButton));
    if (!automation::WaitUntilHidden(main_)) return nullptr;
    Tick();

    const HWND alert = automation::WaitForWindow(ProcessId(), texts::kAlertCaption);
    const auto count = names.size();
    const std::string place =
        FormatText(FormatText(texts::kAlertPlace, "1").c_str(), GroupedDigits(count));
    const std::string same_text = FormatText(texts::kSameAnswerNew, GroupedDigits(count - 1));
    HWND same = nullptr;
    if (alert == nullptr || !WaitUntil([&] {
          same = automation::ChildWithText(alert, same_text).window;
          return IsWindowVisible(alert) &&
                 automation::ChildWithText(alert, place).window != nullptr && same != nullptr;
        })) {
      ADD_FAILURE() << "no \"" << place << "\" or no same-answer box";
      return nullptr;
    }
    automation::Click(same);
    if (!WaitUntil([&] { return SendMessageW(same, BM_GETCHECK, 0, 0) == BST_CHECKED; })) {
      return nullptr;
    }
    return alert;
  }
};

TEST_F(ProgramFloodTest, ThirtyNewRunValuesAreDeclinedWithOneAnswer) {
  EnableLog();
  ASSERT_NE(Start(), nullptr);
  const HWND alert = AlertForAll(FloodNames());
  ASSERT_NE(alert, nullptr);
  automation::PressKey(alert, VK_ESCAPE);  // No

  // Every value goes with that one answer, and the alert never shows again.
  int shown_again = 0;
  bool visible = true;
  const auto watch = [&] {
    const bool now = IsWindowVisible(alert) != FALSE;
    if (now && !visible) ++shown_again;
    visible = now;
  };
  EXPECT_TRUE(WaitUntil([&] {
    watch();
    return AllGone(FloodNames());
  }));
  WaitUntil([&] {
    watch();
    return false;
  }, 1000);
  EXPECT_FALSE(visible);
  EXPECT_EQ(shown_again, 0);
  const auto box = automation::WaitForMessageBox(ProcessId(), texts::kInformationTitle);
  ASSERT_EQ(box.text, texts::kRestoredMessage);
  automation::PressOk(box);
  ASSERT_TRUE(automation::WaitUntilHidden(box.window));

  const std::string log = Logged();
  for (const std::string& name : FloodNames()) {
    const std::string line = texts::kDeleted + (texts::kRegistryStartupLogged + name) +
                             texts::kUserInvokedRegistrySuffix + "\r\n";
    const auto first = log.find(line);
    EXPECT_TRUE(first != std::string::npos && log.find(line, first + 1) == std::string::npos)
        << line << "is not logged once in:\n" << log;
  }

  Choose(kRemovedEntriesCommand);
  const HWND window = automation::WaitForWindow(ProcessId(), texts::kRemovedEntriesCaption);
  ASSERT_NE(window, nullptr);
  const HWND list = automation::ListViewIn(window);
  EXPECT_TRUE(
      WaitUntil([&] { return automation::ListViewRows(list).size() == std::size_t(kFlood); }))
      << automation::ListViewRows(list).size() << " rows";
  automation::PressKey(window, VK_ESCAPE);
  EXPECT_TRUE(automation::WaitUntilHidden(window));
}

// Declined at once, a great flood is removed between the program's window
// messages, with how far it has come in the alert's place.
TEST_F(ProgramFloodTest, AGreatFloodDeclinedAtOnceLeavesTheProgramAnswering) {
  ASSERT_NE(Start(), nullptr);
  const auto names = FloodNames(kGreatFlood);
  const HWND alert = AlertForAll(names);
  ASSERT_NE(alert, nullptr);
  // Well within what a user notices, with room for a busy machine.
  constexpr double kPromptMs = 250;
  automation::AnswerWatch answers(main_, 60000);
  automation::PressKey(alert, VK_ESCAPE);  // No, for all of them

  const std::string of_all = FormatText(texts::kRemovalProgress, GroupedDigits(kGreatFlood));
  const std::string tail = of_all.substr(of_all.find("%s") + 2);
  EXPECT_TRUE(WaitUntil([&] {
    const HWND progress = automation::FindWindowOf(ProcessId(), texts::kApplicationTitle);
    if (progress == nullptr) return false;
    const auto lines = automation::ChildrenOf(progress);
    return !lines.empty() && lines.front().text.find(tail) != std::string::npos;
  })) << "no progress line ending \"" << tail << "\"";
  EXPECT_TRUE(WaitUntil([&] { return AllGone(names); }, 60000));
  const auto box = automation::WaitForMessageBox(ProcessId(), texts::kInformationTitle, 30000);
  answers.Stop();
  EXPECT_LT(answers.longest_ms(), kPromptMs);
  ASSERT_NE(box.window, nullptr);
  automation::PressOk(box);
}

}  // namespace
}  // namespace corvane::program_test
