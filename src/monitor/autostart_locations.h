// Where Windows starts programs by itself: the places the scanners read and
// the removals later change. Key paths run from the registry root, begin
// with a backslash and have no trailing backslash.
#pragma once

#include <string>
#include <vector>

#include "monitor/startup_entry.h"

namespace corvane::locations {

struct RunKey {
  char root_code;
  const char* path;
};

// The Run-type keys in scanning order, machine before user. The Winlogon
// path ends in a key named "shell" whose values are listed like the others.
inline constexpr RunKey kRunKeys[] = {
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
    {kLocalMachineRootCode, "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\shell"},
    {kLocalMachineRootCode,
     "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {kCurrentUserRootCode, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
    {kCurrentUserRootCode,
     "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run"},
};

// On 64-bit Windows, HKEY_LOCAL_MACHINE\Software has a second, 32-bit view,
// where 32-bit programs' settings live; every path is opened literally.
inline constexpr char kSoftwareKey[] = "\\Software";
inline constexpr char kThirtyTwoBitViewKey[] = "\\WOW6432Node";

// The paths at which one watched key is read: the key itself and, for a key
// of HKEY_LOCAL_MACHINE\Software, its 32-bit view right after it.
std::vector<std::string> ViewsOf(char root_code, const std::string& key_path);

// A Run-type key as it is scanned, in one of its views.
struct ScannedRunKey {
  char root_code;
  std::string path;
};
// kRunKeys with every key of HKEY_LOCAL_MACHINE followed by its 32-bit view.
const std::vector<ScannedRunKey>& ScannedRunKeys();

// Winlogon's values, which Windows needs to log on: declining them at the
// machine writes the Windows default back; the user's Shell is deleted.
inline constexpr char kWinlogonKey[] =
    "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr char kWinlogonShellValue[] = "Shell";
inline constexpr char kWinlogonUserinitValue[] = "Userinit";
inline constexpr char kDefaultShell[] = "explorer.exe";
// After the Windows directory; the comma is part of the default.
inline constexpr char kDefaultUserinit[] = "\\system32\\userinit.exe,";

// A program named as the "Debugger" of a subkey starts instead of the
// program that the subkey is named after.
inline constexpr char kImageOptionsKey[] =
    "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
inline constexpr char kDebuggerValue[] = "Debugger";

// DLLs loaded into every program that loads user32.
inline constexpr char kWindowsKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr char kAppInitValue[] = "AppInit_DLLs";

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
