#include "program/running_program_test.h"

#include <cwchar>
#include <vector>

#include "automation/input.h"
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
  if (RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &opened) !=
      ERROR_SUCCESS) {
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
  if (RegCreateKeyExW(root, Wide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                      nullptr, &opened, nullptr) != ERROR_SUCCESS) {
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
  if (RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &opened) !=
      ERROR_SUCCESS) {
    return;
  }
  const win32::RegistryKey owned(opened);
  RegDeleteValueW(owned.get(), Wide(name).c_str());
}

void RunningProgramTest::TearDown() {
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

int RunningProgramTest::MainWindowCount() const {
  Search search{program_->id(), MainCaption(), nullptr};
  EnumWindows(&CountMainWindows, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

void RunningProgramTest::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
  PostMessageW(main_, message, wparam, lparam);
}

void RunningProgramTest::OpenTrayMenu() const {
  Post(kTrayCallbackMessage, MAKEWPARAM(200, 300), WM_CONTEXTMENU);
}

void RunningProgramTest::SendTrayClick() const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(main_, kTrayCallbackMessage, 0, LPARAM(NIN_SELECT), SMTO_NORMAL, kAnswerMs,
                      &result);
}

HWND RunningProgramTest::ControlWithText(const std::string& text) const {
  for (const automation::ControlInfo& control : automation::ChildrenOf(main_)) {
    if (control.text == text) return control.window;
  }
  return nullptr;
}

bool RunningProgramTest::Checked(const std::string& text) const {
  return SendMessageW(ControlWithText(text), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string RunningProgramTest::AnswerAlert(
    const std::function<bool(const std::string&)>& wanted, WORD key) {
  const auto texts_of = [](HWND alert) {
    std::string texts;
    for (const auto& control : automation::ChildrenOf(alert)) texts += control.text + " | ";
    return texts;
  };
  const HWND alert = automation::WaitForWindow(ProcessId(), texts::kAlertCaption);
  std::string found;
  // Its texts are set while it is hidden; a key is an answer only once it is up.
  automation::WaitUntil([&] {
    if (alert == nullptr || !IsWindowVisible(alert)) return false;
    for (const auto& control : automation::ChildrenOf(alert)) {
      if (wanted(control.text)) found = control.text;
    }
    return !found.empty();
  });
  if (found.empty()) {
    ADD_FAILURE() << "no alert with a wanted text; "
                  << (alert == nullptr ? "no alert at all" : "it shows: " + texts_of(alert));
    return "";
  }
  const auto answered = texts_of(alert);
  automation::PressKey(alert, key);
  EXPECT_TRUE(automation::WaitUntil(
      [&] { return !IsWindowVisible(alert) || texts_of(alert) != answered; }))
      << "the alert stayed: " << answered;
  return found;
}

bool RunningProgramTest::WaitUntilShown() const {
  return automation::WaitUntil([this] { return Shown(); });
}

}  // namespace corvane::program_test
