#include "program/program_fixture.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "texts.h"
#include "tray/traycomp.h"

namespace corvane::program_test {
namespace {

using win32::Utf8;
using win32::Wide;

// How long a window of the program may take to answer a sent message.
constexpr UINT kAnswerMs = 5000;

std::string MainCaption() {
  return std::string(texts::kMainCaptionPrefix) + texts::kProgramVersion;
}

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

void DeleteFolder(const std::string& folder) {
  const std::wstring wide = Wide(folder);
  WIN32_FIND_DATAW found{};
  {
    const win32::FindHandle search(FindFirstFileW((wide + L"*").c_str(), &found));
    if (search) {
      do {
        DeleteFileW((wide + found.cFileName).c_str());
      } while (FindNextFileW(search.get(), &found));
    }
  }
  RemoveDirectoryW(wide.c_str());
}

struct Search {
  DWORD process_id;
  std::string caption;
  HWND found;
  int count = 0;
};

// Also a hidden window: the main window is hidden while the program watches.
BOOL CALLBACK MatchMainWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || automation::TextOf(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CountMainWindows(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id && automation::TextOf(window) == search->caption) {
    ++search->count;
  }
  return TRUE;
}

}  // namespace

std::optional<std::string> ReadValue(HKEY root, const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const win32::RegistryKey owned(opened);
  wchar_t data[1024] = {};
  DWORD size = sizeof data - sizeof data[0];
  DWORD type = 0;
  if (RegQueryValueExW(owned.get(), Wide(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return Utf8(data, std::wcslen(data));
}

bool WriteValue(HKEY root, const char* key, const char* name, const std::string& data) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root, Wide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const win32::RegistryKey owned(opened);
  const std::wstring wide = Wide(data);
  return RegSetValueExW(owned.get(), Wide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(wide.c_str()),
                        DWORD((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void DeleteValue(HKEY root, const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) return;
  const win32::RegistryKey owned(opened);
  RegDeleteValueW(owned.get(), Wide(name).c_str());
}

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
  folder_ = Utf8(temp, std::wcslen(temp)) + "corvane-program-" +
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + "\\";
  ASSERT_TRUE(CreateDirectoryW(Wide(folder_).c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(Wide(BuiltProgram()).c_str(), Wide(ProgramPath()).c_str(), FALSE))
      << "cannot copy " << BuiltProgram();
}

void ProgramTest::TearDown() {
  if (program_ && program_->started() && !program_->WaitForExit(0)) {
    // Every test ends the program by closing its main window; one that does
    // not end is ended by the Process.
    if (main_ != nullptr) PostMessageW(main_, WM_CLOSE, 0, 0);
    const bool failed = HasFailure();
    const bool ended = program_->WaitForExit(failed ? 2000 : automation::kPatience);
    if (!failed) {
      EXPECT_TRUE(ended) << "closing the main window did not end the program";
    }
  }
  program_.reset();

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

HWND ProgramTest::Start() {
  program_.emplace(ProgramPath(), std::vector<std::string>{});
  if (!program_->started()) return nullptr;
  const automation::KernelHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program_->id()));
  // Idle means start-up is over: the first baseline taken, the message loop waiting.
  if (WaitForInputIdle(process.get(), automation::kPatience) != 0) return nullptr;
  Search search{program_->id(), MainCaption(), nullptr};
  automation::WaitUntil([&] {
    EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  main_ = search.found;
  return main_;
}

int ProgramTest::MainWindowCount() const {
  Search search{program_->id(), MainCaption(), nullptr};
  EnumWindows(&CountMainWindows, reinterpret_cast<LPARAM>(&search));
  return search.count;
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

void ProgramTest::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
  PostMessageW(main_, message, wparam, lparam);
}

void ProgramTest::SendTrayClick(UINT mouse_message) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(main_, kTrayCallbackMessage, 0, LPARAM(mouse_message), SMTO_NORMAL,
                      kAnswerMs, &result);
}

HWND ProgramTest::ControlWithText(const std::string& text) const {
  for (const automation::ControlInfo& control : automation::ChildrenOf(main_)) {
    if (control.text == text) return control.window;
  }
  return nullptr;
}

bool ProgramTest::Checked(const std::string& text) const {
  return SendMessageW(ControlWithText(text), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool ProgramTest::WaitUntilShown() const {
  return automation::WaitUntil([this] { return Shown(); });
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
