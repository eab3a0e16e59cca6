// Each test runs its own copy of corvane.exe from a fresh folder (named in
// Cyrillic and Chinese as well, as a user's folders may be) and drives
// it from this process as a user would. The options file and the autorun
// value are put aside before and put back after, since the program shares
// them with the machine.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "program/running_program_test.h"

namespace corvane::program_test {

// The value that tests add to the current user's Run key.
inline constexpr char kTestValue[] = "CorvaneProgramTestTool";

class ProgramTest : public RunningProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program's copy; see RunningProgramTest::Start.
  HWND Start() { return RunningProgramTest::Start(ProgramPath()); }

  // The options file as the program keeps it.
  bool OptionsFileExists() const;
  std::string Option(const char* key) const;  // "<none>" when missing
  void WriteOptionsFile(const std::string& text) const;
  // Puts a folder in the way of the options file wherever Save may write it
  // (the Windows directory, the user's application data folder), so that
  // Save fails. TearDown takes the folders away again. False when it cannot.
  bool BlockOptionsFile();

  std::string ProgramPath() const { return folder_ + "corvane.exe"; }
  // A file in the program's folder, which is its data folder too.
  std::string Beside(const std::string& name) const { return folder_ + name; }
  // The program logs while its log file exists; it never makes one itself.
  void EnableLog() const;
  std::string Logged() const;  // the log's bytes, "" when there is none

 private:
  std::string folder_;
  std::string options_path_;
  std::optional<std::string> saved_options_;
  std::optional<std::string> saved_autorun_;
  // What BlockOptionsFile put in the way, and the file each one replaced.
  struct Blocked {
    std::string path;
    std::optional<std::string> saved;
  };
  std::vector<Blocked> blocked_;
  std::string made_data_folder_;
};

}  // namespace corvane::program_test
