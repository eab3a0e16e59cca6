// Windows signals a change at a watched place, and the program asks about
// the new entry at once instead of at the poll timer's next tick, ten
// seconds after its start.
#include <chrono>
#include <cstdio>
#include <string>

#include "automation/input.h"
#include "changes/alert.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using Clock = std::chrono::steady_clock;

// The second value, written while the watch is paused.
constexpr char kSecondValue[] = "CorvaneProgramTestTool2";

class ProgramChangeSignalTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    DeleteValue(HKEY_CURRENT_USER, kRunKey, kSecondValue);
  }
  void TearDown() override {
    ProgramTest::TearDown();
    DeleteValue(HKEY_CURRENT_USER, kRunKey, kSecondValue);
  }
  static std::string Shown(const char* name) {
    return ShownLocation(std::string("\\") + kRunKey + "\\" + name);
  }
};

TEST_F(ProgramChangeSignalTest, ANewRunValueIsAskedAboutAtOnceAndOneFromAPauseAtItsEnd) {
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
  EXPECT_EQ(AnswerAlert(is(kTestValue), VK_RETURN), Shown(kTestValue));  // Yes: kept

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
}

}  // namespace
}  // namespace corvane::program_test
