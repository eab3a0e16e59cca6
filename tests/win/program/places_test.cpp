// Where Windows 10 and 11 start programs: the real program puts a new entry
// of each such place to the user, and on No takes it out as Windows needs it
// taken out (Winlogon's machine values get their default back), and logs it.
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "automation/input.h"
#include "automation/process.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_task_scheduler.h"
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

std::string Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  return win32::Utf8(value, GetEnvironmentVariableW(name, value, MAX_PATH));
}

std::string ShellFolder(int id) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, id | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
  return win32::Utf8(path, std::wcslen(path));
}

std::string BytesOf(const std::string& path) {
  std::ifstream file(Wide(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// schtasks as a user would run it; true when it says it succeeded.
bool Schtasks(const std::vector<std::string>& arguments) {
  automation::Process schtasks(Variable(L"windir") + "\\system32\\schtasks.exe", arguments);
  return schtasks.started() && schtasks.WaitForExit(automation::kPatience) &&
         schtasks.ExitCode() == 0;
}

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
    Schtasks({"/create", "/xml", WriteTaskXml(), "/tn", "\\CvPlacesWarmUp", "/f"});
    Schtasks({"/delete", "/tn", "\\CvPlacesWarmUp", "/f"});
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
    Schtasks({"/delete", "/tn", kTask, "/f"});
  }

  std::string WriteTaskXml() const {
    const auto path = Variable(L"TEMP") + "\\cv-places-task.xml";
    std::ofstream(Wide(path).c_str(), std::ios::binary)
        << "<?xml version=\"1.0\"?>\r\n"
           "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
           "<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>"
           "<Settings><Hidden>true</Hidden></Settings>"
           "<Actions><Exec><Command>C:\\cvtask.exe</Command></Exec></Actions></Task>\r\n";
    return path;
  }

  std::string Beside(const char* name) const {
    return ProgramPath().substr(0, ProgramPath().rfind('\\') + 1) + name;
  }

  std::vector<Planted> planted_;
  std::vector<std::optional<std::string>> saved_;
  std::string user_startup_, common_startup_;
};

TEST_F(ProgramPlacesTest, EachNewPlaceIsAskedAboutAndTakenOutAsWindowsNeeds) {
  std::ofstream(Wide(Beside(texts::kLogFile)).c_str()) << "";
  ASSERT_NE(Start(), nullptr);

  // Locations as the alerts show them, whole: a value under its root named
  // in full, a file by its path, a task by its folder and name.
  std::multiset<std::string> expected;
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
  ASSERT_TRUE(Schtasks({"/create", "/xml", WriteTaskXml(), "/tn", kTask, "/f"}));
  expected.insert(kTask);

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
    return BytesOf(Beside(texts::kLogFile)).find(line) != std::string::npos;
  };
  EXPECT_TRUE(automation::WaitUntil([&] {
    return std::all_of(lines.begin(), lines.end(), logged);
  })) << BytesOf(Beside(texts::kLogFile));

  for (const auto& value : planted_) {
    EXPECT_EQ(ReadValue(value.root, value.key.c_str(), value.name.c_str()), value.after_no)
        << value.key << "\\" << value.name;
  }
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRun64.c_str(), "CvPlaces32"), "C:\\kept.exe");
  EXPECT_FALSE(Exists(user_startup_));
  EXPECT_FALSE(Exists(common_startup_));
  const win32::ComApartment apartment;
  Win32TaskScheduler tasks;
  EXPECT_EQ(tasks.TaskExists(kTask), std::optional<bool>(false));
}

}  // namespace
}  // namespace corvane::program_test
