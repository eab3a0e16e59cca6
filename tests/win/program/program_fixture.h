// Each test runs its own copy of corvane.exe from a fresh folder and drives
// it from this process as a user would. The options file and the autorun
// value are put aside before and put back after, since the program shares
// them with the machine.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "automation/process.h"
#include "automation/windows.h"

namespace corvane::program_test {

// Menu commands of the main window, numbered as the program numbers them.
inline constexpr int kRestoreCommand = 101;
inline constexpr int kExitCommand = 102;
// The poll timer of the main window.
inline constexpr WPARAM kPollTimer = 1;

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The value that tests add to the current user's Run key.
inline constexpr char kTestValue[] = "CorvaneProgramTestTool";

std::optional<std::string> ReadValue(HKEY root, const char* key, const char* name);
bool WriteValue(HKEY root, const char* key, const char* name, const std::string& data);
void DeleteValue(HKEY root, const char* key, const char* name);

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program and waits until it has settled: the first baseline
  // taken and the message loop waiting. Returns its main window, shown or
  // not, or null.
  HWND Start();
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
  // A click on the tray icon, answered before this returns.
  void SendTrayClick(UINT mouse_message) const;

  // A control of the main window by its text, also while the window is hidden.
  HWND ControlWithText(const std::string& text) const;
  bool Checked(const std::string& text) const;
  bool Shown() const { return IsWindowVisible(main_) != FALSE; }
  bool WaitUntilShown() const;

  // The options file as the program keeps it.
  bool OptionsFileExists() const;
  std::string Option(const char* key) const;  // "<none>" when missing
  void WriteOptionsFile(const std::string& text) const;
  // Puts a folder in the way of the options file wherever Save may write it
  // (the Windows directory, the user's application data folder), so that
  // Save fails. TearDown takes the folders away again. False when it cannot.
  bool BlockOptionsFile();

  std::string ProgramPath() const { return folder_ + "corvane.exe"; }

  HWND main_ = nullptr;

 private:
  std::string folder_;
  std::string options_path_;
  std::optional<std::string> saved_options_;
  std::optional<std::string> saved_autorun_;
  std::optional<automation::Process> program_;
  // What BlockOptionsFile put in the way, and the file each one replaced.
  struct Blocked {
    std::string path;
    std::optional<std::string> saved;
  };
  std::vector<Blocked> blocked_;
  std::string made_data_folder_;
};

}  // namespace corvane::program_test
