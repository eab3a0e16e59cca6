#include "program/program_fixture.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using win32::Utf8;
using win32::Wide;

// The program as the build made it. Under Wine the build hands over its own
// Unix path, which Wine translates.
std::string BuiltProgram() {
  const std::string path = CORVANE_PROGRAM;
  if (path.empty() || path[0] != '/') return path;
  using DosName = WCHAR*(CDECL*)(const char*);
  const FARPROC found =
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
  if (found == nullptr) return path;
  WCHAR* wide = reinterpret_cast<DosName>(reinterpret_cast<void (*)()>(found))(path.c_str());
  if (wide == nullptr) return path;
  const std::string dos = Utf8(wide, std::wcslen(wide));
  HeapFree(GetProcessHeap(), 0, wide);
  return dos;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream file(std::filesystem::path(Wide(path)), std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void PutBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary) << bytes;
}

// With what the program kept in it: its backups and the files it moved aside.
void DeleteFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(Wide(folder)), ignored);
}

}  // namespace

void ProgramTest::SetUp() {
  wchar_t windows[MAX_PATH + 1] = {};
  ASSERT_NE(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  options_path_ = Utf8(windows, std::wcslen(windows)) + "\\" + texts::kOptionsFile;
  saved_options_ = ReadBytes(options_path_);
  DeleteFileW(Wide(options_path_).c_str());
  saved_autorun_ = ReadValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue);
  DeleteValue(HKEY_CURRENT_USER, kRunKey, kTestValue);

  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  static int serial = 0;
  // A folder named in two scripts, as a user's may be.
  folder_ = Utf8(temp, std::wcslen(temp)) + "Corvane Тест工具 " +
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + "\\";
  ASSERT_TRUE(CreateDirectoryW(Wide(folder_).c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(Wide(BuiltProgram()).c_str(), Wide(ProgramPath()).c_str(), FALSE))
      << "cannot copy " << BuiltProgram();
}

void ProgramTest::TearDown() {
  RunningProgramTest::TearDown();

  for (const Blocked& blocked : blocked_) {
    RemoveDirectoryW(Wide(blocked.path).c_str());
    if (blocked.saved) PutBytes(blocked.path, *blocked.saved);
  }
  // Only when this test made it, and only when empty.
  if (!made_data_folder_.empty()) RemoveDirectoryW(Wide(made_data_folder_).c_str());
  if (saved_options_) {
    PutBytes(options_path_, *saved_options_);
  } else {
    DeleteFileW(Wide(options_path_).c_str());
  }
  if (saved_autorun_) {
    WriteValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue, *saved_autorun_);
  } else {
    DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue);
  }
  DeleteValue(HKEY_CURRENT_USER, kRunKey, kTestValue);
  DeleteFolder(folder_);
}

bool ProgramTest::BlockOptionsFile() {
  wchar_t app_data[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return false;
  const std::string data_folder = Utf8(app_data, length) + "\\" + texts::kDataFolder;
  if (CreateDirectoryW(Wide(data_folder).c_str(), nullptr)) made_data_folder_ = data_folder;
  for (const std::string& path :
       {options_path_, data_folder + "\\" + texts::kOptionsFile}) {
    blocked_.push_back(Blocked{path, ReadBytes(path)});
    DeleteFileW(Wide(path).c_str());
    if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) return false;
  }
  return true;
}

void ProgramTest::EnableLog() const { PutBytes(Beside(texts::kLogFile), ""); }

std::string ProgramTest::Logged() const {
  return ReadBytes(Beside(texts::kLogFile)).value_or("");
}

bool ProgramTest::OptionsFileExists() const {
  return GetFileAttributesW(Wide(options_path_).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramTest::Option(const char* key) const {
  // Read afresh, not from this process's profile cache.
  const std::wstring path = Wide(options_path_);
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  wchar_t value[256] = {};
  const DWORD length = GetPrivateProfileStringW(Wide(texts::kOptionsSection).c_str(),
                                                Wide(key).c_str(), L"<none>", value, 256,
                                                path.c_str());
  return Utf8(value, length);
}

void ProgramTest::WriteOptionsFile(const std::string& text) const {
  PutBytes(options_path_, text);
}

}  // namespace corvane::program_test
