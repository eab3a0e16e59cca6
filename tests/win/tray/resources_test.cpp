// The version information as the built file carries it: this test program
// is linked with the program's own corvane.rc, whose texts must stay those
// of src/texts.h.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {
namespace {

std::string VersionText(const std::vector<char>& info, const std::string& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = win32::Wide("\\StringFileInfo\\040904E4\\" + name);
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length)) return "<none>";
  const auto* text = static_cast<const wchar_t*>(value);
  return win32::Utf8(text, std::wcslen(text));
}

TEST(ResourcesTest, TheVersionInformationSaysWhatTheProgramSays) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::vector<char> info(GetFileVersionInfoSizeW(path, nullptr) + 1);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));
  void* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &fixed, &length));
  // The numbers the file carries read as the version the program shows.
  const auto* numbers = static_cast<VS_FIXEDFILEINFO*>(fixed);
  const std::string shown = std::to_string(HIWORD(numbers->dwFileVersionMS)) + "." +
                            std::to_string(LOWORD(numbers->dwFileVersionMS));
  EXPECT_EQ(shown, texts::kProgramVersion);
  EXPECT_EQ(numbers->dwProductVersionMS, numbers->dwFileVersionMS);
  EXPECT_EQ(VersionText(info, "ProductName"), texts::kApplicationTitle);
  EXPECT_EQ(VersionText(info, "CompanyName"), texts::kCompanyName);
  EXPECT_EQ(VersionText(info, "FileDescription"), texts::kFileDescription);
  EXPECT_EQ(VersionText(info, "FileVersion"), texts::kFileVersion);
  EXPECT_EQ(VersionText(info, "ProductVersion"), texts::kFileVersion);
  EXPECT_EQ(std::string(texts::kFileVersion).rfind(texts::kProgramVersion, 0), 0u);
}

}  // namespace
}  // namespace corvane
