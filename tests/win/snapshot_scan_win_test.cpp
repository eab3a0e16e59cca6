// One snapshot scan of a machine that the test prepares for real: Startup
// folders and INI files in a temporary Windows directory (found through the
// environment), Run values under both roots, a start page, an automatic
// service and a browser helper object. The scan must add exactly the
// prepared entries, in scanning order, to what the machine held before.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "monitor/area_switches.h"
#include "monitor/snapshot_scan.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_facts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/win32_event_subscriptions.h"
#include "platform/win32/win32_task_scheduler.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& data) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
}

void SetNumber(HKEY root, const std::string& path, const std::string& name, DWORD number) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  RegCloseKey(key);
}

void DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
  }
}

void WriteFile(const std::string& path, const std::string& bytes, DWORD attributes = 0) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (attributes != 0) SetFileAttributesA(path.c_str(), attributes);
}

void MakeFolders(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const auto child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

std::string ReadStartPage() {
  char data[4096] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kMain.c_str(), "Start Page", RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return data;
}

class SnapshotScanOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    tag_ = "CorvaneScan" + std::to_string(GetCurrentProcessId());
    base_ = std::string(temp) + tag_;
    windir_ = base_ + "\\WINDOWS";
    all_users_ = base_ + "\\Profiles\\All Users";
    user_ = base_ + "\\Profiles\\Bob";
    administrator_ = base_ + "\\Profiles\\Administrator";
    MakeFolders(windir_);
    MakeFolders(all_users_);
    MakeFolders(user_);
    MakeFolders(administrator_);
    SetEnvironmentVariableA("windir", windir_.c_str());
    SetEnvironmentVariableA("ALLUSERSPROFILE", all_users_.c_str());
    SetEnvironmentVariableA("USERPROFILE", user_.c_str());
    old_start_page_ = ReadStartPage();
  }

  void TearDown() override {
    DeleteValue(HKEY_CURRENT_USER, kRun, tag_ + "User");
    DeleteValue(HKEY_LOCAL_MACHINE, kRun, tag_ + "Machine");
    SetString(HKEY_CURRENT_USER, kMain, "Start Page", old_start_page_);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kServices + "\\" + tag_).c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kHelpers + "\\{" + tag_ + "}").c_str());
    RemoveTree(base_);
  }

  Strings Scan() {
    TakeSnapshotScan(platform_, switches_, tables_);
    return tables_.baseline.Entries();
  }

  // The entries of `after` that `before` did not hold, in the order of `after`.
  static Strings Added(const Strings& before, Strings after) {
    Strings remaining = before;
    Strings added;
    for (auto& entry : after) {
      const auto it = std::find(remaining.begin(), remaining.end(), entry);
      if (it != remaining.end()) {
        remaining.erase(it);
      } else {
        added.push_back(entry);
      }
    }
    return added;
  }

  std::string tag_, base_, windir_, all_users_, user_, administrator_, old_start_page_;
  Win32Registry registry_;
  Win32Environment environment_;
  Win32FileSystem files_;
  const win32::ComApartment apartment_;
  Win32TaskScheduler tasks_;
  Win32EventSubscriptions subscriptions_;
  Win32ProgramFacts programs_;
  Platform platform_{registry_, environment_, files_, tasks_, programs_, subscriptions_};
  FixedAreaSwitches switches_;
  EntryTables tables_;
};

TEST_F(SnapshotScanOnWindows, FindsExactlyThePreparedEntriesInScanningOrder) {
  const auto before = Scan();

  const std::string startup = "\\Start Menu\\Programs\\Startup";
  MakeFolders(windir_ + startup);
  MakeFolders(all_users_ + startup);
  MakeFolders(user_ + startup + "\\Subfolder");
  MakeFolders(administrator_ + startup);
  WriteFile(windir_ + startup + "\\windows.lnk", "x");
  WriteFile(all_users_ + startup + "\\all.lnk", "x", FILE_ATTRIBUTE_READONLY);
  WriteFile(all_users_ + startup + "\\desktop.ini", "x", FILE_ATTRIBUTE_HIDDEN);
  WriteFile(user_ + startup + "\\user.lnk", "x");
  WriteFile(user_ + startup + "\\system.dat", "x", FILE_ATTRIBUTE_SYSTEM);
  WriteFile(administrator_ + startup + "\\admin.lnk", "x");
  WriteFile(windir_ + "\\win.ini", "[windows]\r\nload=l.exe\r\nRun=r.exe\r\nrun=\r\n");
  WriteFile(windir_ + "\\system.ini", "[boot]\nshell=Explorer.exe\n");
  SetString(HKEY_LOCAL_MACHINE, kRun, tag_ + "Machine", "m.exe");
  SetString(HKEY_CURRENT_USER, kRun, tag_ + "User", "u.exe");
  SetString(HKEY_CURRENT_USER, kMain, "Start Page", "C:\\pages\\" + tag_ + ".htm");
  SetNumber(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start", 2);
  SetString(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath", "C:\\svc.exe");
  SetString(HKEY_LOCAL_MACHINE, kHelpers + "\\{" + tag_ + "}", "", "");

  EXPECT_EQ(Added(before, Scan()),
            (Strings{
                "3" + windir_ + "\\Start Menu\\Programs\\Startup\\windows.lnk",
                "3" + all_users_ + "\\Start Menu\\Programs\\Startup\\all.lnk",
                "3" + user_ + "\\Start Menu\\Programs\\startup\\user.lnk",
                "3" + administrator_ + "\\Start Menu\\Programs\\startup\\admin.lnk",
                "1\\" + kRun + "\\" + tag_ + "Machine",
                "2\\" + kRun + "\\" + tag_ + "User",
                "72\\" + kMain + "\\Start Page\\C:\\pages\\" + tag_ + ".htm",
                "4" + tag_,
                "5Run=r.exe",
                "5load=l.exe",
                "6shell=Explorer.exe",
                "8{" + tag_ + "}",
            }));
}

TEST_F(SnapshotScanOnWindows, AServiceThatIsDisabledOrHasNoProgramIsNotRecorded) {
  SetNumber(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start", 4);
  SetString(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath", "C:\\svc.exe");
  const auto disabled = Scan();
  SetNumber(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start", 3);
  EXPECT_EQ(Added(disabled, Scan()), Strings{"4" + tag_});
  SetString(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath", "");
  EXPECT_EQ(Added(Scan(), disabled), Strings{});
  EXPECT_EQ(std::count(tables_.baseline.Entries().begin(), tables_.baseline.Entries().end(),
                       "4" + tag_),
            0);
}

}  // namespace
}  // namespace corvane
