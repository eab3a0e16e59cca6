// A program that plants many entries at once meets one alert: it says how
// many there are, and its same-answer box gives the user's No to them all.
#include <cstdio>
#include <string>
#include <vector>

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

std::vector<std::string> FloodNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= kFlood; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "CvFlood%02d", i);
    names.push_back(name);
  }
  return names;
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
    for (const std::string& name : FloodNames()) {
      DeleteValue(HKEY_CURRENT_USER, kRunKey, name.c_str());
    }
  }
};

TEST_F(ProgramFloodTest, ThirtyNewRunValuesAreDeclinedWithOneAnswer) {
  EnableLog();
  ASSERT_NE(Start(), nullptr);
  // Planted while the watch is paused (the main window restored), so that
  // one cycle finds all of them.
  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  for (const std::string& name : FloodNames()) {
    ASSERT_TRUE(
        WriteValue(HKEY_CURRENT_USER, kRunKey, name.c_str(), "C:\\flood\\" + name + ".exe"));
  }
  automation::Click(ControlWithText(texts::kCancelButton));
  ASSERT_TRUE(automation::WaitUntilHidden(main_));
  Tick();

  const HWND alert = automation::WaitForWindow(ProcessId(), texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  const std::string place = FormatText(FormatText(texts::kAlertPlace, "1").c_str(),
                                       std::to_string(kFlood));
  const std::string same_text = FormatText(texts::kSameAnswerNew, std::to_string(kFlood - 1));
  HWND same = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    same = automation::ChildWithText(alert, same_text).window;
    return IsWindowVisible(alert) && automation::ChildWithText(alert, place).window != nullptr &&
           same != nullptr;
  })) << "no \"" << place << "\" or no same-answer box";
  automation::Click(same);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(same, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  automation::PressKey(alert, VK_ESCAPE);  // No

  // Every value goes with that one answer, and the alert never shows again.
  int shown_again = 0;
  bool visible = true;
  const auto all_gone = [] {
    for (const std::string& name : FloodNames()) {
      if (ReadValue(HKEY_CURRENT_USER, kRunKey, name.c_str())) return false;
    }
    return true;
  };
  const auto watch = [&] {
    const bool now = IsWindowVisible(alert) != FALSE;
    if (now && !visible) ++shown_again;
    visible = now;
  };
  EXPECT_TRUE(WaitUntil([&] {
    watch();
    return all_gone();
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

}  // namespace
}  // namespace corvane::program_test
