// Tests of Corvane as a standard user runs it. They run as an unprivileged
// user (see tests/win/unprivileged_tests.cmake) on a machine that
// scripts/standard-user-machine prepared: the program installed in
// C:\Program Files\Corvane and an options file in the Windows directory,
// neither of which the user may write. What the program writes goes to the
// user's %APPDATA%\Corvane; each test starts without that folder and without
// the program's value in the user's Run key, and leaves neither behind.
#pragma once

#include <string>

#include "program/running_program_test.h"

namespace corvane::standard_user_test {

// Where things are on that machine, as UTF-8 Windows paths.
std::string InstalledProgram();  // %ProgramFiles%\Corvane\corvane.exe
std::string WindowsOptionsFile();  // corvane.ini in the Windows directory
std::string DataFolder();  // %APPDATA%\Corvane, without a trailing backslash

// The error Windows gives for the attempt: ERROR_SUCCESS when it succeeded.
DWORD ErrorOf(bool succeeded);

class StandardUserTest : public program_test::RunningProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the installed program as the user would; see RunningProgramTest::Start.
  HWND Start() { return RunningProgramTest::Start(InstalledProgram()); }
};

}  // namespace corvane::standard_user_test
