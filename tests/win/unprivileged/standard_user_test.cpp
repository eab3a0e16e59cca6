#include "unprivileged/standard_user_test.h"

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::standard_user_test {
namespace {

std::string Variable(const char* name) {
  std::vector<wchar_t> value(MAX_PATH + 1);
  const DWORD length =
      GetEnvironmentVariableW(win32::Wide(name).c_str(), value.data(), DWORD(value.size()));
  return length == 0 || length >= value.size() ? std::string()
                                               : win32::Utf8(value.data(), length);
}

// The folder with everything in it; a missing folder is no error.
void DeleteTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  {
    const win32::FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (search) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          DeleteTree(path);
        } else {
          SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(search.get(), &found));
    }
  }
  RemoveDirectoryW(folder.c_str());
}

// What a test may have left: the program's data and its autorun value.
void ClearUsersPlaces() {
  // Without %APPDATA% the folder's name would point elsewhere.
  if (!Variable(texts::kAppDataVariable).empty()) DeleteTree(win32::Wide(DataFolder()));
  program_test::DeleteValue(HKEY_CURRENT_USER, program_test::kRunKey, texts::kAutorunValue);
}

}  // namespace

std::string InstalledProgram() {
  // Where scripts/standard-user-machine installs it.
  return Variable("ProgramFiles") + "\\Corvane\\corvane.exe";
}

std::string WindowsOptionsFile() {
  wchar_t windows[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  return win32::Utf8(windows, length) + "\\" + texts::kOptionsFile;
}

std::string DataFolder() {
  return Variable(texts::kAppDataVariable) + "\\" + texts::kDataFolder;
}

DWORD ErrorOf(bool succeeded) { return succeeded ? ERROR_SUCCESS : GetLastError(); }

void StandardUserTest::SetUp() {
  ASSERT_FALSE(Variable(texts::kAppDataVariable).empty());
  ClearUsersPlaces();
}

void StandardUserTest::TearDown() {
  RunningProgramTest::TearDown();
  ClearUsersPlaces();
}

}  // namespace corvane::standard_user_test
