// Windows signals a change at a watched place, and the program asks about
// the new entry at once instead of at the poll timer's next tick, ten
// seconds after its start.
#include <chrono>
#include <cstdio>
#include <string>

#include "automation/input.h"
#include "automation/windows.h"
#include "platform/win32/wide.h"
#include "program/planting.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using Clock = std::chrono::steady_clock;

// Written while the alert is open, and while the watch is paused.
constexpr char kWhileAsked[] = "CorvaneProgramTestTool3";
constexpr char kSecondValue[] = "CorvaneProgramTestTool2";
constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ProgramChangeSignalTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    for (const char* name : {kWhileAsked, kSecondValue}) {
      DeleteValue(HKEY_CURRENT_USER, kRunKey, name);
    }
  }
  void TearDown() override {
    ProgramTest::TearDown();
    for (const char* name : {kWhileAsked, kSecondValue}) {
      DeleteValue(HKEY_CURRENT_USER, kRunKey, name);
    }
    PutBackStartupFolder();
  }
  void PutBackStartupFolder() {
    if (startup_) WriteStored(HKEY_CURRENT_USER, kShellFolders, "Startup", *startup_);
    if (!moved_.empty()) PutFileBytes(moved_ + "\\tool.lnk", std::nullopt);
    RemoveDirectoryW(win32::Wide(moved_).c_str());
  }
  static std::string Shown(const char* name) {
    return texts::kCurrentUserRootName + (std::string("\\") + kRunKey + "\\" + name);
  }

  std::optional<StoredValue> startup_;
  std::string moved_;
};

TEST_F(ProgramChangeSignalTest, ANewRunValueIsAskedAboutAtOnceAlsoOneFromAnAlertOrAPause) {
  ASSERT_NE(Start(), nullptr);
  const auto is = [](const char* name) {
    return [name](const std::string& text) { return text == Shown(name); };
  };
  const auto written = Clock::now();
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kTestValue, "C:\\tools\\tool.exe"));
  const HWND alert = automation::WaitForWindow(ProcessId(), texts::kAlertCaption, 5000);
  ASSERT_NE(alert, nullptr);
  ASSERT_TRUE(automation::WaitUntil([&] { return IsWindowVisible(alert) != FALSE; }, 5000));
  const auto latency =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - written).count();
  std::printf("from the write to the alert: %lld ms\n", static_cast<long long>(latency));
  // Far before the timer's first tick.
  EXPECT_LT(latency, 2000);
  // A value planted while the user answers is not taken unasked: the next
  // cycle comes at once and asks about it.
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kWhileAsked, "C:\\tools\\tool3.exe"));
  Sleep(500);
  // "Do not ask me again" with Yes keeps the entry and blacklists nothing.
  automation::Click(automation::ChildWithText(alert, texts::kDoNotAskAgain).window);
  EXPECT_EQ(AnswerAlert(is(kTestValue), VK_RETURN), Shown(kTestValue));
  EXPECT_FALSE(Exists(Beside(texts::kBlacklistFile)));
  const auto answered = Clock::now();
  EXPECT_EQ(AnswerAlert(is(kWhileAsked), VK_RETURN), Shown(kWhileAsked));
  EXPECT_LT(Clock::now() - answered, std::chrono::seconds(3));

  // Restore pauses the watch: a change then waits until Cancel resumes it.
  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kSecondValue, "C:\\tools\\tool2.exe"));
  Sleep(1000);
  EXPECT_FALSE(IsWindowVisible(alert));
  const auto resumed = Clock::now();
  automation::Click(ControlWithText(texts::kCancelButton));
  EXPECT_EQ(AnswerAlert(is(kSecondValue), VK_RETURN), Shown(kSecondValue));
  EXPECT_LT(Clock::now() - resumed, std::chrono::seconds(3));

  // The user's Startup folder moved (a changed entry, kept): a file in the
  // new folder is asked about at once too.
  startup_ = ReadStored(HKEY_CURRENT_USER, kShellFolders, "Startup");
  moved_ = Variable(L"TEMP") + "\\Перенесено";
  CreateDirectoryW(win32::Wide(moved_).c_str(), nullptr);
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kShellFolders, "Startup", moved_));
  const auto names = [](const std::string& end) {
    return [end](const std::string& text) {
      return text.size() >= end.size() &&
             text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
  };
  // Windows writes the old Shell Folders value after it.
  for (const char* value : {"User Shell Folders\\Startup", "\\Shell Folders\\Startup"}) {
    EXPECT_NE(AnswerAlert(names(value), VK_RETURN), "");
  }
  const auto planted = Clock::now();
  PutFileBytes(moved_ + "\\tool.lnk", std::string("link"));
  EXPECT_EQ(AnswerAlert(names("Перенесено\\tool.lnk"), VK_RETURN), moved_ + "\\tool.lnk");
  EXPECT_LT(Clock::now() - planted, std::chrono::seconds(3));
}

}  // namespace
}  // namespace corvane::program_test
