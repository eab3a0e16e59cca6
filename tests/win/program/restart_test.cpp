// Corvane keeps its baseline when it ends: what is planted or changed
// while it is not running is put to the user as soon as it starts again,
// and a changed command declined gets its old command back.
#include <set>
#include <string>

#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

constexpr char kPlanted[] = "CorvaneProgramTestPlanted";
constexpr char kOldCommand[] = "C:\\tools\\tool.exe";
constexpr char kNewCommand[] = "C:\\tools\\changed.exe";

class ProgramRestartTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    DeleteValue(HKEY_CURRENT_USER, kRunKey, kPlanted);
  }
  void TearDown() override {
    ProgramTest::TearDown();
    DeleteValue(HKEY_CURRENT_USER, kRunKey, kPlanted);
  }
  static std::string Location(const char* name) {
    return std::string(texts::kCurrentUserRootName) + "\\" + kRunKey + "\\" + name;
  }
};

TEST_F(ProgramRestartTest, WhatChangedWhileItWasNotRunningIsAskedAtTheNextStart) {
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kTestValue, kOldCommand));
  ASSERT_NE(Start(), nullptr);
  Post(WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitForExit());

  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kTestValue, kNewCommand));
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kPlanted, "C:\\tools\\planted.exe"));
  ASSERT_NE(Start(), nullptr);
  // Both are asked about at once, in the order of the key's values; the
  // change shows its old command beside the new one. Esc declines both.
  std::set<std::string> expected = {kOldCommand, Location(kPlanted)};
  for (int alert = 0; alert < 2; ++alert) {
    const auto found = AnswerAlert(
        [&](const std::string& text) { return expected.count(text) != 0; }, VK_ESCAPE);
    ASSERT_FALSE(found.empty());
    expected.erase(found);
  }
  EXPECT_TRUE(automation::WaitUntil([] {
    return ReadValue(HKEY_CURRENT_USER, kRunKey, kTestValue) == std::string(kOldCommand) &&
           !ReadValue(HKEY_CURRENT_USER, kRunKey, kPlanted);
  }));
}

}  // namespace
}  // namespace corvane::program_test
