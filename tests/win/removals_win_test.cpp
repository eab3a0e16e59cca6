// The removal actions against the real registry and files: what each one
// leaves behind when the user declines an entry.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "changes/cycle_context.h"
#include "removal/file_removals.h"
#include "removal/registry_removals.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"

namespace corvane {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// A user who declines everything, and a screen that shows nothing.
class DecliningAlert : public AlertView {
 public:
  void SetTypeText(const std::string&) override {}
  void SetLocationText(const std::string&) override {}
  void SetDoNotAskEnabled(bool) override {}
  bool DoNotAskEnabled() const override { return false; }
  bool DoNotAskChecked() const override { return false; }
  void ClearDoNotAsk() override {}
  ModalResult ShowModal() override { return ModalResult::kNo; }
};
class IdleTimer : public PollTimer {
  void Stop() override {}
  void Start() override {}
  void Hold() override {}
  void Release() override {}
};
class SilentBoxes : public MessageBoxes {
  void Beep() override {}
  void ShowInformation(const std::string&) override {}
  void ShowWarning(const std::string&) override {}
  void ShowError(const std::string&) override {}
};
class FixedClock : public Clock {
  Timestamp Now() const override { return {"d", "t"}; }
};
struct NoSwitches : AreaSwitches {
  bool MonitorRegistryKeys() const override { return false; }
  bool MonitorStartupFolders() const override { return false; }
  bool MonitorServices() const override { return false; }
  bool MonitorIniFiles() const override { return false; }
  bool MonitorIeObjects() const override { return false; }
};

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& data) {
  SetValue(root, path, name, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() + 1));
}

// The value's data as a string or a number; "missing" when there is none.
std::string Value(HKEY root, const std::string& path, const std::string& name) {
  char data[512] = {};
  DWORD size = sizeof data - 1, type = 0;
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "missing";
  const LONG result =
      RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return "missing";
  if (type == REG_DWORD) return std::to_string(*reinterpret_cast<DWORD*>(data));
  return data;
}

std::string FileText(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "missing";
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

void PutFile(const std::string& path, const std::string& text) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

class RemovalsOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    tag_ = "CorvaneRemoval" + std::to_string(GetCurrentProcessId()) + "x" +
           std::to_string(GetTickCount());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + tag_;
    CreateDirectoryA(folder_.c_str(), nullptr);
    SetEnvironmentVariableA("windir", folder_.c_str());
    log_ = files_.ProgramDirectory() + "corvane.log";
    PutFile(log_, "");
  }

  void TearDown() override {
    DeleteFileA(log_.c_str());
    for (const char* name : {"\\win.ini", "\\win.ini.cv", "\\Startup.lnk"}) {
      SetFileAttributesA((folder_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((folder_ + name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
    HKEY run;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
      RegDeleteValueA(run, tag_.c_str());
      RegCloseKey(run);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kHelpers + "\\{" + tag_ + "}").c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kServices + "\\" + tag_).c_str());
  }

  std::string LogLine(const std::string& message) { return "d t - " + message + "\r\n"; }

  std::string tag_, folder_, log_;
  Win32Registry registry_;
  Win32Environment environment_;
  Win32FileSystem files_;
  Platform platform_{registry_, environment_, files_};
  NoSwitches switches_;
  EntryTables tables_;
  DecliningAlert alert_;
  IdleTimer timer_;
  SilentBoxes boxes_;
  FixedClock clock_;
  CycleContext context_{platform_, switches_, tables_, alert_, timer_, boxes_, clock_, {}};
};

TEST_F(RemovalsOnWindows, ARunValueIsDeleted) {
  SetString(HKEY_CURRENT_USER, kRun, tag_, "C:\\pest.exe");
  RemoveRegistryStartup(context_, "2\\" + kRun + "\\" + tag_);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kRun, tag_), "missing");
  EXPECT_EQ(FileText(log_), LogLine("Deleted Registry Startup: " + tag_ + " [User Invoked] "));
  EXPECT_EQ(context_.flags.removal, 1);
}

TEST_F(RemovalsOnWindows, ABrowserHelperGoesWithItsSubkeys) {
  SetString(HKEY_LOCAL_MACHINE, kHelpers + "\\{" + tag_ + "}\\Sub\\Deeper", "v", "x");
  RemoveIEBHO(context_, "{" + tag_ + "}");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kHelpers + "\\{" + tag_ + "}"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kHelpers));
  EXPECT_EQ(FileText(log_), LogLine("Deleted IE BHO [User Invoked]"));
}

TEST_F(RemovalsOnWindows, AServiceIsSetToDisabledAndKept) {
  const DWORD automatic = 2;
  SetValue(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start", REG_DWORD, &automatic,
           sizeof automatic);
  SetString(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath", "C:\\svc.exe");
  RemoveServiceStartup(context_, tag_);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start"), "4");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath"), "C:\\svc.exe");
  EXPECT_EQ(FileText(log_), LogLine("Deleted Service Startup: " + tag_ + " [User Invoked]"));
}

TEST_F(RemovalsOnWindows, TheStartPageIsEmptied) {
  const auto before = Value(HKEY_CURRENT_USER, kMain, "Start Page");
  SetString(HKEY_CURRENT_USER, kMain, "Start Page", "http://pest.invalid/");
  RemoveIEStartPage(context_);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kMain, "Start Page"), "");
  EXPECT_EQ(FileText(log_), LogLine("Deleted IE Startup Page [User Invoked]"));
  if (before != "missing") SetString(HKEY_CURRENT_USER, kMain, "Start Page", before);
}

TEST_F(RemovalsOnWindows, AStartupFileIsDeletedAndALockedOneIsReported) {
  const auto path = folder_ + "\\Startup.lnk";
  PutFile(path, "x");
  RemoveStartupFolderFile(context_, path);
  EXPECT_EQ(FileText(path), "missing");

  PutFile(path, "x");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  RemoveStartupFolderFile(context_, path);
  CloseHandle(held);
  EXPECT_EQ(FileText(path), "x");
  EXPECT_EQ(FileText(log_), LogLine("Deleted Startup Folder file: Startup.lnk [User Invoked]") +
                                LogLine("Could not delete Startup Folder file: Startup.lnk [User Invoked]"));
  EXPECT_EQ(context_.flags.failure, 1);
}

TEST_F(RemovalsOnWindows, AWinIniLineLosesItsValueAndNothingElseChanges) {
  const auto ini = folder_ + "\\win.ini";
  PutFile(ini, "[windows]\r\nload=pest.exe\r\nrun=good.exe pest.exe\r\n[pest.exe]\r\nx=1\r\n");
  RemoveIniStartup(context_, "win.ini", "load=pest.exe");
  EXPECT_EQ(FileText(ini), "[windows]\r\nload=\r\nrun=good.exe pest.exe\r\n[pest.exe]\r\nx=1\r\n");
  EXPECT_EQ(FileText(ini + ".cv"), "missing");
  EXPECT_EQ(FileText(log_), LogLine("Deleted .INI Startup: pest.exe [User Invoked]"));
}

TEST_F(RemovalsOnWindows, AnIniFileHeldOpenIsLeftWholeAndReported) {
  const auto ini = folder_ + "\\win.ini";
  const std::string text = "[windows]\r\nrun=pest.exe\r\n";
  PutFile(ini, text);
  // Another program reading the file without sharing delete: it cannot be replaced.
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  RemoveIniStartup(context_, "win.ini", "run=pest.exe");
  CloseHandle(held);
  EXPECT_EQ(FileText(ini), text);
  EXPECT_EQ(FileText(ini + ".cv"), "missing");
  EXPECT_EQ(FileText(log_), LogLine("Could not delete .INI Startup: pest.exe [User Invoked]"));
}

}  // namespace
}  // namespace corvane
