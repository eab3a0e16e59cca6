// Where Windows starts programs by itself: the places the scanners read and
// the removals later change. Key paths run from the registry root, begin
// with a backslash and have no trailing backslash.
#pragma once

#include "monitor/startup_entry.h"

namespace corvane::locations {

struct RunKey {
  char root_code;
  const char* path;
};

// The nine Run-type keys in scanning order. The Winlogon path ends in a key
// named "shell" whose values are listed like the others.
inline constexpr RunKey kRunKeys[] = {
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\shell"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
};

// The Internet Explorer start page, under HKEY_CURRENT_USER.
inline constexpr char kStartPageRootCode = kCurrentUserRootCode;
inline constexpr char kStartPageKey[] = "\\Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";

// Under HKEY_LOCAL_MACHINE.
inline constexpr char kServicesKey[] = "\\SYSTEM\\CurrentControlSet\\Services";
inline constexpr char kServiceImagePathValue[] = "imagepath";
inline constexpr char kServiceStartValue[] = "start";
inline constexpr char kServiceStartValueWritten[] = "Start";  // as Windows spells it
inline constexpr int kServiceStartAutomatic = 2;
inline constexpr char kBrowserHelpersKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// Environment variables that locate the Windows directory and the profiles.
inline constexpr char kWindowsDirectoryVariable[] = "windir";
inline constexpr char kAllUsersProfileVariable[] = "ALLUSERSPROFILE";
inline constexpr char kUserProfileVariable[] = "USERPROFILE";
inline constexpr char kAdministratorProfile[] = "Administrator";

// Startup sub-paths. The folder of all users is searched as "startup" but
// recorded as "Startup"; entries carry the letter case they are recorded with.
inline constexpr char kStartupFolderCapital[] = "\\Start Menu\\Programs\\Startup";
inline constexpr char kStartupFolderLower[] = "\\Start Menu\\Programs\\startup";
inline constexpr char kAllFilesMask[] = "\\*.*";

// The INI files in the Windows directory and their autostart keys.
inline constexpr char kWinIni[] = "win.ini";
inline constexpr char kSystemIni[] = "system.ini";
inline constexpr char kRunKeyOfWinIni[] = "run=";
inline constexpr char kLoadKeyOfWinIni[] = "load=";
inline constexpr char kShellKeyOfSystemIni[] = "shell=";

}  // namespace corvane::locations
