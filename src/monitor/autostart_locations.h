// Names that the table of places shares with the rest of the program: the
// environment variables that locate Windows' folders, the views of the
// registry and the Run key that Corvane itself starts from.
#pragma once

namespace corvane::locations {

// Environment variables that locate the Windows directory and the profiles.
inline constexpr char kWindowsDirectoryVariable[] = "windir";
inline constexpr char kAllUsersProfileVariable[] = "ALLUSERSPROFILE";
inline constexpr char kUserProfileVariable[] = "USERPROFILE";
inline constexpr char kProgramFilesVariable[] = "ProgramFiles";

// On 64-bit Windows, HKEY_LOCAL_MACHINE\Software has a second, 32-bit view,
// where 32-bit programs' settings live; every path is opened literally.
inline constexpr char kSoftwareKey[] = "\\Software";
inline constexpr char kThirtyTwoBitViewKey[] = "\\WOW6432Node";

// The machine's Run key, which is watched and where Corvane's autorun value lives.
inline constexpr char kMachineRunKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Where Task Manager keeps which Run values and Startup files are disabled.
inline constexpr char kStartupApprovedKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

}  // namespace corvane::locations
