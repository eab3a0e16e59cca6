// Names in any language, and names made to mislead: the program, run from a
// folder named in Cyrillic and Chinese for a user whose profile is too, puts
// every such entry to the user and removes exactly the one declined.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "automation/input.h"
#include "automation/native_registry.h"
#include "platform/unicode.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using win32::Wide;

const std::string kProfile = "C:\\users\\Жанна工";
const std::string kStartup = kProfile + "\\Start Menu\\Programs\\startup\\";
const std::string kNulNamed("CvLegit\0Evil", 12);
const std::string kKept = "CvLegit";  // the user's own value, there from the start
const std::string kDeclined = "Тест工具";
const std::string kBlacklisted = "Жtool";
// A name Windows reaches only by its exact (\\?\) path.
const std::string kEndsInADot = "Ж中 ends. ";

std::string BytesOf(const std::string& path) {
  std::ifstream file(Wide(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(Wide(path).c_str(), std::ios::binary) << bytes;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A Startup file whose full path is longer than MAX_PATH, in the \\?\ form
// that this test needs to make and check it.
std::string LongName() { return std::string(230, 'x') + "Ж.lnk"; }
std::wstring Long(const std::string& path) { return L"\\\\?\\" + Wide(path); }

class ProgramNamesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    saved_profile_.resize(32768);
    saved_profile_.resize(GetEnvironmentVariableW(L"USERPROFILE", &saved_profile_[0], 32768));
    SetEnvironmentVariableW(L"USERPROFILE", Wide(kProfile).c_str());
    std::string folder;
    for (const char* part : {"", "\\Start Menu", "\\Programs", "\\startup"}) {
      folder += part;
      CreateDirectoryW(Wide(kProfile + folder).c_str(), nullptr);
    }
    ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kKept.c_str(), "C:\\kept.exe"));
  }
  void TearDown() override {
    ProgramTest::TearDown();
    SetEnvironmentVariableW(L"USERPROFILE", saved_profile_.c_str());
    for (const auto& name : {kKept, kDeclined, kBlacklisted}) {
      DeleteValue(HKEY_CURRENT_USER, kRunKey, name.c_str());
    }
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(kRunKey).c_str(), 0, KEY_ALL_ACCESS, &run) == 0) {
      const win32::RegistryKey owned(run);
      automation::DeleteNativeValue(owned.get(), kNulNamed);
    }
    DeleteFileW(Wide(kStartup + "Ж中.lnk").c_str());
    DeleteFileW(Long(kStartup + LongName()).c_str());
    DeleteFileW(Long(kStartup + kEndsInADot).c_str());
  }
  std::string Beside(const char* name) const {
    return ProgramPath().substr(0, ProgramPath().rfind('\\') + 1) + name;
  }

  std::wstring saved_profile_;
};

TEST_F(ProgramNamesTest, EveryNameIsAskedAboutAndTheDeclinedOneIsReallyRemoved) {
  ASSERT_GT(kStartup.size() + LongName().size(), 260u);
  Put(Beside(texts::kLogFile), "");
  Put(Beside(texts::kBlacklistFile), kBlacklisted + "\r\n");
  ASSERT_NE(Start(), nullptr);

  Put(kStartup + "Ж中.lnk", "link");
  for (const auto& name : {LongName(), kEndsInADot}) {
    std::ofstream(Long(kStartup + name).c_str()) << "link";
  }
  ASSERT_TRUE(Exists("\\\\?\\" + kStartup + LongName()));
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kDeclined.c_str(), "C:\\t.exe"));
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kRunKey, kBlacklisted.c_str(), "C:\\b.exe"));
  HKEY run = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Wide(kRunKey).c_str(), 0, KEY_ALL_ACCESS, &run), 0);
  {
    const win32::RegistryKey owned(run);
    ASSERT_TRUE(automation::SetNativeValue(owned.get(), kNulNamed, "C:\\evil.exe"));
  }

  // Five alerts, in whatever order the folder lists its files; each is
  // answered No. The blacklisted name goes without one. The NUL in a name
  // is written out.
  const std::string run_key = texts::kCurrentUserRootName + (std::string("\\") + kRunKey + "\\");
  std::set<std::string> expected = {kStartup + "Ж中.lnk", kStartup + LongName(),
                                    kStartup + kEndsInADot, run_key + kDeclined,
                                    Printable(run_key + kNulNamed)};
  Tick();
  for (int alerts = 0; alerts < 5; ++alerts) {
    const auto location = AnswerAlert(
        [&](const std::string& text) { return expected.count(text) != 0; }, VK_ESCAPE);  // No
    ASSERT_FALSE(location.empty()) << "alert " << alerts + 1;
    expected.erase(location);
  }

  // One UTF-8 line for each, the hostile name written out; the last is
  // written once the last alert has closed.
  const std::vector<std::string> lines = {
      "Deleted Startup Folder file: Ж中.lnk [User Invoked]\r\n",
      "Deleted Startup Folder file: " + LongName() + " [User Invoked]\r\n",
      "Deleted Startup Folder file: " + kEndsInADot + " [User Invoked]\r\n",
      "Deleted Registry Startup: " + kDeclined + " [User Invoked] \r\n",
      "Deleted Registry Startup: " + kBlacklisted + " [Blacklisted] \r\n",
      "Deleted Registry Startup: CvLegit\\0Evil [User Invoked] \r\n"};
  const auto logged = [&](const std::string& line) {
    return BytesOf(Beside(texts::kLogFile)).find(line) != std::string::npos;
  };
  EXPECT_TRUE(automation::WaitUntil([&] {
    return std::all_of(lines.begin(), lines.end(), logged);
  })) << BytesOf(Beside(texts::kLogFile));

  EXPECT_FALSE(Exists(kStartup + "Ж中.lnk"));
  EXPECT_FALSE(Exists("\\\\?\\" + kStartup + LongName()));
  EXPECT_FALSE(Exists("\\\\?\\" + kStartup + kEndsInADot));
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, kDeclined.c_str()), std::nullopt);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, kBlacklisted.c_str()), std::nullopt);
  // The NUL-named value went; the user's own value of the same first part stayed.
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunKey, kKept.c_str()), "C:\\kept.exe");
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Wide(kRunKey).c_str(), 0, KEY_ALL_ACCESS, &run), 0);
  {
    const win32::RegistryKey owned(run);
    EXPECT_FALSE(automation::DeleteNativeValue(owned.get(), kNulNamed)) << "it was still there";
  }

}

}  // namespace
}  // namespace corvane::program_test
