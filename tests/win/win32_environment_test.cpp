#include "platform/win32/win32_environment.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/wide.h"

namespace corvane {
namespace {

TEST(Win32EnvironmentTest, ReadsVariablesAsTheyAreSet) {
  const Win32Environment environment;
  std::string longest(32766, 'x');
  longest.back() = 'y';
  const struct {
    const char* name;
    std::string value;
  } cases[] = {
      {"CORVANE_TEST_VARIABLE", "C:\\Program Files\\%OTHER%"},
      {"CORVANE_TEST_VARIABLE", longest},
      {"CORVANE_ЖTOOL", "C:\\Тест工具\\Ж中.lnk"},
      {"CORVANE_ЖTOOL", std::string(16000, 'x') + "Ж"},
  };
  for (const auto& c : cases) {
    const std::wstring name = win32::Wide(c.name);
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), win32::Wide(c.value).c_str()));
    EXPECT_EQ(environment.Get(c.name), c.value) << c.name;
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), L""));
    EXPECT_EQ(environment.Get(c.name), "");
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), nullptr));
    EXPECT_EQ(environment.Get(c.name), "");
  }
  EXPECT_EQ(environment.Get(std::string("PATH\0X", 6)), "") << "no name holds a NUL";
}


// Each Startup folder in its own profile, whole and without a trailing
// backslash, so that "<folder>\\<file>" names a file in it. (Wine spells the
// last part "StartUp", Windows "Startup".)
TEST(Win32EnvironmentTest, FindsTheStartupFoldersOfTheUserAndOfAllUsers) {
  const Win32Environment environment;
  for (const auto& [folder, profile] : {std::pair(ShellFolder::kStartup, "APPDATA"),
                                        std::pair(ShellFolder::kCommonStartup, "ProgramData")}) {
    const std::string path = environment.ShellFolderPath(folder);
    const std::string expected =
        environment.Get(profile) + "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    EXPECT_EQ(lstrcmpiW(win32::Wide(path).c_str(), win32::Wide(expected).c_str()), 0) << path;
  }
}

}  // namespace
}  // namespace corvane
