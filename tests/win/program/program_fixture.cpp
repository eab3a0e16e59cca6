#include "program/program_fixture.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/win32/handles.h"
#include "texts.h"
#include "tray/traycomp.h"

namespace corvane::program_test {
namespace {

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

struct Search {
  DWORD process_id;
  std::string caption;
  HWND found;
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

}  // namespace

std::optional<std::string> ReadValue(HKEY root, const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
  const win32::RegistryKey owned(opened);
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  if (RegQueryValueExA(owned.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

bool WriteValue(HKEY root, const char* key, const char* name, const std::string& data) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const win32::RegistryKey owned(opened);
  return RegSetValueExA(owned.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        DWORD(data.size() + 1)) == ERROR_SUCCESS;
}

void DeleteValue(HKEY root, const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) return;
  const win32::RegistryKey owned(opened);
  RegDeleteValueA(owned.get(), name);
}

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
  if (program_ && program_->started() && !program_->WaitForExit(0)) {
    // Every test ends the program by closing its main window; one that does
    // not end is ended by the Process.
    if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
    const bool failed = HasFailure();
    const bool ended = program_->WaitForExit(failed ? 2000 : automation::kPatience);
    if (!failed) {
      EXPECT_TRUE(ended) << "closing the main window did not end the program";
    }
  }
  program_.reset();

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

void ProgramTest::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
  PostMessageA(main_, message, wparam, lparam);
}

void ProgramTest::SendTrayClick(UINT mouse_message) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(main_, kTrayCallbackMessage, 0, LPARAM(mouse_message), SMTO_NORMAL,
                      kAnswerMs, &result);
}

HWND ProgramTest::ControlWithText(const std::string& text) const {
  for (const automation::ControlInfo& control : automation::ChildrenOf(main_)) {
    if (control.text == text) return control.window;
  }
  return nullptr;
}

bool ProgramTest::Checked(const std::string& text) const {
  return SendMessageA(ControlWithText(text), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool ProgramTest::WaitUntilShown() const {
  return automation::WaitUntil([this] { return Shown(); });
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
