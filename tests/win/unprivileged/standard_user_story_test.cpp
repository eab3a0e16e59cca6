// A user without administrator rights installs nothing and owns nothing of
// the machine, and Corvane still works for them: the options, the blacklist
// and the log go to the user's own folder, and what cannot be written there
// is named in full.
#include <fstream>
#include <iterator>

#include "automation/input.h"
#include "automation/message_box.h"
#include "platform/win32/wide.h"
#include "texts.h"
#include "unprivileged/standard_user_test.h"

namespace corvane::standard_user_test {
namespace {

using automation::WaitUntil;
using automation::WaitUntilHidden;
using program_test::kRunKey;

constexpr char kPest[] = "CvStandardUserPest";

std::string BytesOf(const std::string& path) {
  std::ifstream file(win32::Wide(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class StandardUserStory : public StandardUserTest {
 protected:
  void TearDown() override {
    StandardUserTest::TearDown();
    program_test::DeleteValue(HKEY_CURRENT_USER, kRunKey, kPest);
    // Wine keeps no account out of the machine's keys; nothing of ours stays there.
    program_test::DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue);
  }
  std::string Options() const { return DataFolder() + "\\" + texts::kOptionsFile; }
  void Save() {
    automation::Click(ControlWithText(texts::kSaveButton));
  }
};

TEST_F(StandardUserStory, OptionsBlacklistAndLogLiveInTheUsersOwnFolder) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_TRUE(Shown()) << "a first run shows the options window";
  Save();
  ASSERT_TRUE(WaitUntilHidden(main_)) << "Save failed where the user may not write";
  EXPECT_NE(BytesOf(Options()).find("V=2.1"), std::string::npos);
  EXPECT_EQ(BytesOf(WindowsOptionsFile()), "");

  // The next start reads the user's copy: no first run again.
  PostMessageA(main_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitForExit());
  ASSERT_NE(Start(), nullptr);
  EXPECT_FALSE(Shown());

  // The program's own folder takes nothing, so the log and the blacklist are
  // the ones in the user's folder.
  std::ofstream(win32::Wide(DataFolder() + "\\" + texts::kLogFile).c_str());
  ASSERT_TRUE(program_test::WriteValue(HKEY_CURRENT_USER, kRunKey, kPest, "C:\\pest.exe"));
  Tick();
  const HWND alert = automation::WaitForWindow(ProcessId(), texts::kAlertCaption);
  ASSERT_NE(alert, nullptr);
  automation::Click(automation::ChildWithText(alert, texts::kDoNotAskAgain).window);
  automation::Click(automation::ChildWithText(alert, texts::kNoButton).window);
  const auto restored = automation::WaitForMessageBox(ProcessId(), texts::kInformationTitle);
  ASSERT_NE(restored.window, nullptr);
  automation::PressOk(restored);
  EXPECT_EQ(program_test::ReadValue(HKEY_CURRENT_USER, kRunKey, kPest), std::nullopt);
  EXPECT_EQ(BytesOf(DataFolder() + "\\" + texts::kBlacklistFile), std::string(kPest) + "\r\n");
  EXPECT_NE(BytesOf(DataFolder() + "\\" + texts::kLogFile)
                .find(std::string("Deleted Registry Startup: ") + kPest + " [User Invoked] \r\n"),
            std::string::npos);

  // When even the user's copy refuses, Save says which file and what to do.
  ASSERT_TRUE(SetFileAttributesW(win32::Wide(Options()).c_str(), FILE_ATTRIBUTE_READONLY));
  Choose(program_test::kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  Save();
  const auto error = automation::WaitForMessageBox(ProcessId(), texts::kApplicationTitle);
  ASSERT_NE(error.window, nullptr);
  EXPECT_EQ(error.text, "Unable to write to " + Options() + texts::kWriteAdvice + ".");
  automation::PressOk(error);
  EXPECT_TRUE(Shown());
  SetFileAttributesW(win32::Wide(Options()).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace corvane::standard_user_test
