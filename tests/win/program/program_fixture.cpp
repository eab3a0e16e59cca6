#include "program/program_fixture.h"

#include <fstream>
#include <iterator>

#include "platform/win32/handles.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

// The program as the build made it. Under Wine the build hands over its own
// Unix path, which Wine translates.
std::string BuiltProgram() {
  const std::string path = CORVANE_PROGRAM;
  if (path.empty() || path[0] != '/') return path;
  using DosName = WCHAR*(CDECL*)(const char*);
  const FARPROC found =
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
  if (found == nullptr) return path;
  WCHAR* wide = reinterpret_cast<DosName>(reinterpret_cast<void (*)()>(found))(path.c_str());
  if (wide == nullptr) return path;
  char dos[MAX_PATH + 1] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, dos, MAX_PATH, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return dos;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void PutBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void DeleteFolder(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  {
    const win32::FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (search) {
      do {
        DeleteFileA((folder + found.cFileName).c_str());
      } while (FindNextFileA(search.get(), &found));
    }
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

void ProgramTest::SetUp() {
  char windows[MAX_PATH + 1] = {};
  ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  options_path_ = std::string(windows) + "\\" + texts::kOptionsFile;
  saved_options_ = ReadBytes(options_path_);
  DeleteFileA(options_path_.c_str());
  saved_autorun_ = ReadValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue);
  DeleteValue(HKEY_CURRENT_USER, kRunKey, kTestValue);

  char temp[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
  static int serial = 0;
  folder_ = std::string(temp) + "corvane-program-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial) + "\\";
  ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), ProgramPath().c_str(), FALSE))
      << "cannot copy " << BuiltProgram();
}

void ProgramTest::TearDown() {
  RunningProgramTest::TearDown();

  if (saved_options_) {
    PutBytes(options_path_, *saved_options_);
  } else {
    DeleteFileA(options_path_.c_str());
  }
  if (saved_autorun_) {
    WriteValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue, *saved_autorun_);
  } else {
    DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue);
  }
  DeleteValue(HKEY_CURRENT_USER, kRunKey, kTestValue);
  DeleteFolder(folder_);
}

bool ProgramTest::OptionsFileExists() const {
  return GetFileAttributesA(options_path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramTest::Option(const char* key) const {
  // Read afresh, not from this process's profile cache.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, options_path_.c_str());
  char value[256] = {};
  GetPrivateProfileStringA(texts::kOptionsSection, key, "<none>", value, sizeof value,
                           options_path_.c_str());
  return value;
}

void ProgramTest::WriteOptionsFile(const std::string& text) const {
  PutBytes(options_path_, text);
}

}  // namespace corvane::program_test
