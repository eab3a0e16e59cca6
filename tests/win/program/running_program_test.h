// A test that starts corvane.exe and drives it from this process as a user
// would: through its main window, its menu commands, its timer and its tray
// icon. What the program is and where it lies is up to the fixture above.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "automation/process.h"
#include "automation/windows.h"

namespace corvane::program_test {

// Menu commands of the main window, numbered as the program numbers them.
inline constexpr int kRestoreCommand = 101;
inline constexpr int kExitCommand = 102;
inline constexpr int kRemovedEntriesCommand = 107;
inline constexpr int kStartupEntriesCommand = 109;
// The poll timer of the main window.
inline constexpr WPARAM kPollTimer = 1;

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Registry values at their literal paths (64-bit view), as the program reads them.
std::optional<std::string> ReadValue(HKEY root, const char* key, const char* name);
bool WriteValue(HKEY root, const char* key, const char* name, const std::string& data);
void DeleteValue(HKEY root, const char* key, const char* name);

class RunningProgramTest : public ::testing::Test {
 protected:
  // Ends a program the test left running: closes its main window, or ends
  // it when that does not, which fails a test that had not failed yet.
  void TearDown() override;

  // Starts the program and waits until it has settled: the first baseline
  // taken and the message loop waiting. Returns its main window, shown or
  // not, or null.
  HWND Start(const std::string& program);
  DWORD ProcessId() const { return program_->id(); }
  // The program's windows with the main window's caption, shown or not.
  int MainWindowCount() const;
  bool WaitForExit(DWORD timeout_ms = automation::kPatience) {
    return program_->WaitForExit(timeout_ms);
  }

  // Posted to the main window, as the menu, the timer and the icon do.
  void Choose(int command) const { Post(WM_COMMAND, WPARAM(command), 0); }
  void Tick() const { Post(WM_TIMER, kPollTimer, 0); }
  void Post(UINT message, WPARAM wparam, LPARAM lparam) const;
  // The shell takes the fourth version of the icon's messages from the
  // program: a click on the icon is NIN_SELECT, answered before this
  // returns; the menu is asked for with WM_CONTEXTMENU at an anchor.
  void SendTrayClick() const;
  void OpenTrayMenu() const;

  // A control of the main window by its text, also while the window is hidden.
  HWND ControlWithText(const std::string& text) const;
  bool Checked(const std::string& text) const;
  bool Shown() const { return IsWindowVisible(main_) != FALSE; }
  bool WaitUntilShown() const;

  // Waits until the program's alert is up showing a text that `wanted`
  // accepts, answers it with the key, and waits until it is gone or shows
  // the next entry (it may come up again at once). Returns the accepted
  // text, or "" (a failure of the test) when no such alert came.
  std::string AnswerAlert(const std::function<bool(const std::string&)>& wanted, WORD key);

  HWND main_ = nullptr;

 private:
  std::optional<automation::Process> program_;
};

}  // namespace corvane::program_test
