// The version information as the built file carries it: this test program
// is linked with the program's own corvane.rc, whose texts must stay those
// of src/texts.h.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "texts.h"

namespace corvane {
namespace {

std::string VersionText(const std::vector<char>& info, const std::string& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::string path = "\\StringFileInfo\\040904E4\\" + name;
  if (!VerQueryValueA(info.data(), path.c_str(), &value, &length)) return "<none>";
  return static_cast<const char*>(value);
}

TEST(ResourcesTest, TheVersionInformationSaysWhatTheProgramSays) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr) + 1);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
  void* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &fixed, &length));
  EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(fixed)->dwFileVersionMS, MAKELONG(1, 2));  // 2.1
  EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(fixed)->dwProductVersionMS, MAKELONG(1, 2));
  EXPECT_EQ(VersionText(info, "ProductName"), texts::kApplicationTitle);
  EXPECT_EQ(VersionText(info, "CompanyName"), texts::kCompanyName);
  EXPECT_EQ(VersionText(info, "FileDescription"), texts::kFileDescription);
  EXPECT_EQ(VersionText(info, "FileVersion"), texts::kFileVersion);
  EXPECT_EQ(VersionText(info, "ProductVersion"), texts::kFileVersion);
  EXPECT_EQ(std::string(texts::kFileVersion).rfind(texts::kProgramVersion, 0), 0u);
}

}  // namespace
}  // namespace corvane
