#include "program/running_program_test.h"

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

void RunningProgramTest::TearDown() {
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
}

HWND RunningProgramTest::Start(const std::string& program) {
  program_.emplace(program, std::vector<std::string>{});
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

void RunningProgramTest::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
  PostMessageA(main_, message, wparam, lparam);
}

void RunningProgramTest::SendTrayClick(UINT mouse_message) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(main_, kTrayCallbackMessage, 0, LPARAM(mouse_message), SMTO_NORMAL,
                      kAnswerMs, &result);
}

HWND RunningProgramTest::ControlWithText(const std::string& text) const {
  for (const automation::ControlInfo& control : automation::ChildrenOf(main_)) {
    if (control.text == text) return control.window;
  }
  return nullptr;
}

bool RunningProgramTest::Checked(const std::string& text) const {
  return SendMessageA(ControlWithText(text), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool RunningProgramTest::WaitUntilShown() const {
  return automation::WaitUntil([this] { return Shown(); });
}

}  // namespace corvane::program_test
