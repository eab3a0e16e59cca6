#include "platform/win32/win32_environment.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(Win32EnvironmentTest, ReadsVariablesAsTheyAreSet) {
  const char* const kName = "CORVANE_TEST_VARIABLE";
  const Win32Environment environment;
  ASSERT_TRUE(SetEnvironmentVariableA(kName, "C:\\Program Files\\%OTHER%"));
  EXPECT_EQ(environment.Get(kName), "C:\\Program Files\\%OTHER%");

  std::string longest(32766, 'x');
  longest.back() = 'y';
  ASSERT_TRUE(SetEnvironmentVariableA(kName, longest.c_str()));
  EXPECT_EQ(environment.Get(kName), longest);

  ASSERT_TRUE(SetEnvironmentVariableA(kName, ""));
  EXPECT_EQ(environment.Get(kName), "");
  ASSERT_TRUE(SetEnvironmentVariableA(kName, nullptr));
  EXPECT_EQ(environment.Get(kName), "");
}

}  // namespace
}  // namespace corvane
