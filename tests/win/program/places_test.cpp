// Where Windows 10 and 11 start programs: the real program puts a new entry
// of each such place to the user, and on No takes it out as Windows needs it
// taken out (Winlogon's machine values get their default back), and logs it.
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "automation/input.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_task_scheduler.h"
#include "program/planting.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using win32::Wide;

const std::string kNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kWowNt = "Software\\WOW6432Node\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kRun64 = kRunKey;
const std::string kWowRun = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kPolicyRun =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
const std::string kDebugged = kNt + "\\Image File Execution Options\\cvplaces.exe";
const std::string kTask = "\\CvPlaces\\Updater";

// One planted value: where, what, and what No leaves (nothing: the value is gone).
struct Planted {
  HKEY root;
  std::string key;
  std::string name;
  std::string data;
  std::optional<std::string> after_no;
};

class ProgramPlacesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    user_startup_ = ShellFolder(CSIDL_STARTUP) + "\\cv-places.lnk";
    common_startup_ = ShellFolder(CSIDL_COMMON_STARTUP) + "\\cv-places-all.lnk";
    const auto windir = Variable(L"windir");
    planted_ = {
        {HKEY_LOCAL_MACHINE, kWowRun, "CvPlaces32", "C:\\cv32.exe", std::nullopt},
        {HKEY_CURRENT_USER, kPolicyRun, "CvPolicy", "C:\\cvpolicy.exe", std::nullopt},
        {HKEY_LOCAL_MACHINE, kNt + "\\Winlogon", "Shell", "cvshell.exe", "explorer.exe"},
        {HKEY_LOCAL_MACHINE, kNt + "\\Winlogon", "Userinit",
         windir + "\\system32\\userinit.exe,C:\\cv.exe", windir + "\\system32\\userinit.exe,"},
        {HKEY_CURRENT_USER, kNt + "\\Winlogon", "Shell", "cvshell.exe", std::nullopt},
        {HKEY_LOCAL_MACHINE, kDebugged, "Debugger", "C:\\cvdebugger.exe", std::nullopt},
        {HKEY_LOCAL_MACHINE, kWowNt + "\\Windows", "AppInit_DLLs", "C:\\cv.dll", ""},
    };
    for (const auto& value : planted_) {
      saved_.push_back(ReadValue(value.root, value.key.c_str(), value.name.c_str()));
    }
    // The 64-bit view's value of the same name is the user's own and stays.
    ASSERT_TRUE(WriteValue(HKEY_LOCAL_MACHINE, kRun64.c_str(), "CvPlaces32", "C:\\kept.exe"));
    // Wine adds its scheduler's service with the first task it registers; an
    // entry of that kind is not what this story is about.
    CreateTask("\\CvPlacesWarmUp", "C:\\cvtask.exe");
    DeleteTask("\\CvPlacesWarmUp");
  }

  void TearDown() override {
    ProgramTest::TearDown();
    for (std::size_t i = 0; i < planted_.size(); ++i) {
      const auto& value = planted_[i];
      if (saved_[i]) {
        WriteValue(value.root, value.key.c_str(), value.name.c_str(), *saved_[i]);
      } else {
        DeleteValue(value.root, value.key.c_str(), value.name.c_str());
      }
    }
    DeleteValue(HKEY_LOCAL_MACHINE, kRun64.c_str(), "CvPlaces32");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(kDebugged).c_str());
    DeleteFileW(Wide(user_startup_).c_str());
    DeleteFileW(Wide(common_startup_).c_str());
    DeleteTask(kTask);
  }

  std::vector<Planted> planted_;
  std::vector<std::optional<std::string>> saved_;
  std::string user_startup_, common_startup_;
};

TEST_F(ProgramPlacesTest, EachNewPlaceIsAskedAboutAndTakenOutAsWindowsNeeds) {
  EnableLog();
  ASSERT_NE(Start(), nullptr);

  // Locations as the alerts show them, whole: a value under its root named
  // in full, a file by its path, a task by its folder and name.
  std::multiset<std::string> expected;
  // The task first: its tool takes a while, and Wine signals no change in
  // the task store's folders. The changes after it start the one cycle that
  // asks about everything, the task too.
  ASSERT_TRUE(CreateTask(kTask, "C:\\cvtask.exe"));
  expected.insert(kTask);
  for (const auto& value : planted_) {
    ASSERT_TRUE(WriteValue(value.root, value.key.c_str(), value.name.c_str(), value.data));
    const char* root = value.root == HKEY_LOCAL_MACHINE ? texts::kLocalMachineRootName
                                                        : texts::kCurrentUserRootName;
    expected.insert(root + ("\\" + value.key + "\\" + value.name));
  }
  for (const auto& file : {user_startup_, common_startup_}) {
    std::ofstream(Wide(file).c_str()) << "link";
    expected.insert(file);
  }

  Tick();
  const auto alerts = expected.size();
  for (std::size_t shown = 0; shown < alerts; ++shown) {
    const auto location = AnswerAlert(
        [&](const std::string& text) { return expected.count(text) != 0; }, VK_ESCAPE);  // No
    ASSERT_FALSE(location.empty()) << "alert " << shown + 1;
    expected.erase(expected.find(location));
  }

  std::vector<std::string> lines = {
      "Deleted Startup Folder file: cv-places.lnk [User Invoked]\r\n",
      "Deleted Startup Folder file: cv-places-all.lnk [User Invoked]\r\n",
      "Deleted Registry Startup: CvPlaces32 [User Invoked] \r\n",
      "Deleted Registry Startup: CvPolicy [User Invoked] \r\n",
      "Deleted Winlogon: \\" + kNt + "\\Winlogon\\Shell (cvshell.exe) [User Invoked]\r\n",
      "Deleted Debugger: \\" + kDebugged + "\\Debugger (C:\\cvdebugger.exe) [User Invoked]\r\n",
      "Deleted AppInit DLLs: \\" + kWowNt +
          "\\Windows\\AppInit_DLLs (C:\\cv.dll) [User Invoked]\r\n",
      "Deleted Scheduled Task: " + kTask + " [User Invoked]\r\n"};
  const auto logged = [&](const std::string& line) {
    return Logged().find(line) != std::string::npos;
  };
  EXPECT_TRUE(automation::WaitUntil([&] {
    return std::all_of(lines.begin(), lines.end(), logged);
  })) << Logged();

  for (const auto& value : planted_) {
    EXPECT_EQ(ReadValue(value.root, value.key.c_str(), value.name.c_str()), value.after_no)
        << value.key << "\\" << value.name;
  }
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRun64.c_str(), "CvPlaces32"), "C:\\kept.exe");
  EXPECT_FALSE(Exists(user_startup_));
  EXPECT_FALSE(Exists(common_startup_));
  const win32::ComApartment apartment;
  Win32TaskScheduler tasks;
  EXPECT_EQ(tasks.Has(kTask), std::optional<bool>(false));
}

}  // namespace
}  // namespace corvane::program_test
