// The removal actions against the real registry and files: what each one
// leaves behind, and what it reports.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <optional>
#include <string>

#include "removal/backup_store.h"
#include "removal/file_removals.h"
#include "removal/entry_removal.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_facts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_event_subscriptions.h"
#include "platform/win32/win32_task_scheduler.h"

namespace corvane {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

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
    store_.emplace(files_, environment_, folder_ + "\\Data\\", RecordSeal());
    keeper_.emplace(*store_, BackupHeader{});
  }

  void TearDown() override {
    for (const char* name : {"\\win.ini", "\\win.ini.cv", "\\Startup.lnk"}) {
      SetFileAttributesA((folder_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((folder_ + name).c_str());
    }
    for (const char* kept : {"\\Data\\Backups", "\\Data\\Removed"}) {
      for (const auto& name : files_.FindFiles(folder_ + kept + "\\*.*")) {
        DeleteFileA((folder_ + kept + "\\" + name).c_str());
      }
      RemoveDirectoryA((folder_ + kept).c_str());
    }
    RemoveDirectoryA((folder_ + "\\Data").c_str());
    RemoveDirectoryA(folder_.c_str());
    HKEY run;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
      RegDeleteValueA(run, tag_.c_str());
      RegCloseKey(run);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kHelpers + "\\{" + tag_ + "}").c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kServices + "\\" + tag_).c_str());
  }

  std::string tag_, folder_;
  Win32Registry registry_;
  Win32Environment environment_;
  Win32FileSystem files_;
  Win32TaskScheduler tasks_;
  Win32EventSubscriptions subscriptions_;
  Win32ProgramFacts programs_;
  Platform platform_{registry_, environment_, files_, tasks_, programs_, subscriptions_};
  std::optional<BackupStore> store_;
  std::optional<StoreKeeper> keeper_;
};

TEST_F(RemovalsOnWindows, ARunValueIsDeleted) {
  SetString(HKEY_CURRENT_USER, kRun, tag_, "C:\\pest.exe");
  EXPECT_EQ(RemoveEntry(platform_, *keeper_, "2\\" + kRun + "\\" + tag_), RemovalResult::kRemoved);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kRun, tag_), "missing");
  EXPECT_EQ(RemoveEntry(platform_, *keeper_, "2\\" + kRun + "\\" + tag_),
            RemovalResult::kAlreadyGone);
}

TEST_F(RemovalsOnWindows, ABrowserHelperGoesWithItsSubkeys) {
  SetString(HKEY_LOCAL_MACHINE, kHelpers + "\\{" + tag_ + "}\\Sub\\Deeper", "v", "x");
  EXPECT_EQ(RemoveEntry(platform_, *keeper_, "8{" + tag_ + "}"), RemovalResult::kRemoved);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kHelpers + "\\{" + tag_ + "}"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kHelpers));
}

TEST_F(RemovalsOnWindows, AServiceIsSetToDisabledAndKept) {
  const DWORD automatic = 2;
  SetValue(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start", REG_DWORD, &automatic,
           sizeof automatic);
  SetString(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath", "C:\\svc.exe");
  EXPECT_EQ(RemoveEntry(platform_, *keeper_, "4" + tag_), RemovalResult::kRemoved);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "Start"), "4");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kServices + "\\" + tag_, "ImagePath"), "C:\\svc.exe");
}

TEST_F(RemovalsOnWindows, TheStartPageIsEmptied) {
  const auto before = Value(HKEY_CURRENT_USER, kMain, "Start Page");
  SetString(HKEY_CURRENT_USER, kMain, "Start Page", "http://pest.invalid/");
  EXPECT_EQ(RemoveEntry(platform_, *keeper_, "72\\" + kMain + "\\Start Page\\http://pest.invalid/"), RemovalResult::kRemoved);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kMain, "Start Page"), "");
  if (before != "missing") SetString(HKEY_CURRENT_USER, kMain, "Start Page", before);
}

TEST_F(RemovalsOnWindows, AStartupFileIsMovedOutAndALockedOneIsReported) {
  const auto path = folder_ + "\\Startup.lnk";
  PutFile(path, "x");
  EXPECT_EQ(RemoveStartupFolderFile(files_, *keeper_, path), RemovalResult::kRemoved);
  EXPECT_EQ(FileText(path), "missing");
  EXPECT_EQ(FileText(folder_ + "\\Data\\Removed\\Startup.lnk"), "x");

  PutFile(path, "x");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  EXPECT_EQ(RemoveStartupFolderFile(files_, *keeper_, path), RemovalResult::kRefused);
  CloseHandle(held);
  EXPECT_EQ(FileText(path), "x");
}

TEST_F(RemovalsOnWindows, AWinIniLineLosesItsValueAndNothingElseChanges) {
  const auto ini = folder_ + "\\win.ini";
  PutFile(ini, "[windows]\nload=pest.exe\r\nrun=good.exe pest.exe\r\n[pest.exe]\r\nx=1\x1A");
  EXPECT_EQ(RemoveIniStartup(files_, environment_, *keeper_, "win.ini", "load=pest.exe"),
            RemovalResult::kRemoved);
  EXPECT_EQ(FileText(ini), "[windows]\nload=\r\nrun=good.exe pest.exe\r\n[pest.exe]\r\nx=1\x1A");
  EXPECT_EQ(FileText(ini + ".cv"), "missing");
}

TEST_F(RemovalsOnWindows, AnIniFileHeldOpenOrReadOnlyIsLeftWholeAndReported) {
  const auto ini = folder_ + "\\win.ini";
  const std::string text = "[windows]\r\nrun=pest.exe\r\n";
  PutFile(ini, text);
  // Another program reading the file without sharing delete: it cannot be replaced.
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(RemoveIniStartup(files_, environment_, *keeper_, "win.ini", "run=pest.exe"),
            RemovalResult::kRefused);
  CloseHandle(held);
  EXPECT_EQ(FileText(ini), text);

  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(RemoveIniStartup(files_, environment_, *keeper_, "win.ini", "run=pest.exe"),
            RemovalResult::kRefused);
  EXPECT_EQ(FileText(ini), text);
  EXPECT_EQ(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(FileText(ini + ".cv"), "missing");
}

}  // namespace
}  // namespace corvane
