#include "monitor/entry_kinds.h"

#include <tuple>

#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr char kMachine = kLocalMachineRootCode;
constexpr char kUser = kCurrentUserRootCode;

constexpr char kCurrentVersion[] = "\\Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kNtCurrentVersion[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";

std::string Below(const char* key, const char* path) { return std::string(key) + path; }

// The Run-type keys of one root, in scanning order.
std::vector<RegistryPlace> RunKeys(char root_code) {
  const auto views = root_code == kMachine ? Views::kBoth : Views::kOne;
  std::vector<RegistryPlace> keys;
  for (const char* name : {"\\Run", "\\RunOnce", "\\RunServices", "\\RunServicesOnce"}) {
    keys.push_back({root_code, Below(kCurrentVersion, name), views});
  }
  // A key named "shell" below Winlogon, whose values are listed like the others.
  if (root_code == kMachine) {
    keys.push_back({kMachine, Below(kNtCurrentVersion, "\\Winlogon\\shell"), views});
  }
  keys.push_back({root_code, Below(kCurrentVersion, "\\Policies\\Explorer\\Run"), views});
  return keys;
}

constexpr char kControl[] = "\\SYSTEM\\CurrentControlSet\\Control";
constexpr char kServices[] = "\\SYSTEM\\CurrentControlSet\\Services";
constexpr char kUserClasses[] = "\\Software\\Classes";
constexpr char kProfiles[] = "*profile.ps1";  // every host's profile, and the one of all hosts

// A row of registry places, each read whole by the row's rule.
EntryKind RegistryRow(char type_code, const char* type_text, Reads reads, const char* about,
                      std::vector<RegistryPlace> keys, int since = 1) {
  EntryKind kind{type_code, type_text, Area::kRegistryKeys, reads, about, std::move(keys)};
  kind.since = since;
  // Values read by name start their data; the others carry what they start.
  if (reads == Reads::kValueNames || reads == Reads::kNamedCommands ||
      reads == Reads::kSubkeyValueNames) {
    kind.command = CommandFrom::kValueData;
    kind.command_can_change = true;
  }
  return kind;
}

// A place whose subkeys are read.
RegistryPlace Parent(char root_code, std::string key, Views views,
                     std::vector<WatchedValue> values = {}) {
  return {root_code, std::move(key), views, true, std::move(values)};
}

// The places Windows 10 and 11 start code from besides the Run keys: each
// row asks about what appears there, with the data it starts.
void AddLoadPoints(std::vector<EntryKind>& kinds) {
  const auto nt = [](const char* path) { return Below(kNtCurrentVersion, path); };
  const auto control = [](const char* path) { return Below(kControl, path); };
  const auto services = [](const char* path) { return Below(kServices, path); };
  const std::string session = control("\\Session Manager");
  constexpr int kNew = 2;

  auto notify =
      RegistryRow('N', texts::kWinlogonType, Reads::kSubkeyValues,
                  "The DLLs of Winlogon's notification packages",
                  {Parent(kMachine, nt("\\Winlogon\\Notify"), Views::kBoth, {{"DllName"}})}, kNew);
  notify.ask_one_by_one = true;
  kinds.push_back(notify);

  auto run_once_ex =
      RegistryRow('E', texts::kRunOnceExType, Reads::kSubkeyValueNames,
                  "Every value of the numbered subkeys, which Windows runs once at the next logon",
                  {Parent(kMachine, Below(kCurrentVersion, "\\RunOnceEx"), Views::kBoth)}, kNew);
  kinds.push_back(run_once_ex);

  kinds.push_back(RegistryRow(
      'S', texts::kActiveSetupType, Reads::kSubkeyValues,
      "The command of every installed component, which Windows runs once for each user at "
      "logon",
      {Parent(kMachine, "\\Software\\Microsoft\\Active Setup\\Installed Components", Views::kBoth,
              {{"StubPath"}})},
      kNew));

  kinds.push_back(RegistryRow(
      'X', texts::kSilentProcessExitType, Reads::kSubkeyValues,
      "The program that Windows starts whenever the program a subkey names ends",
      {Parent(kMachine, nt("\\SilentProcessExit"), Views::kBoth, {{"MonitorProcess"}})}, kNew));

  kinds.push_back(RegistryRow('R', texts::kDebuggerType, Reads::kNamedValues,
                              "The debuggers that Windows starts when a program hangs or crashes",
                              {{kMachine,
                                "\\Software\\Microsoft\\Windows\\Windows Error Reporting\\Hangs",
                                Views::kBoth,
                                false,
                                {{"Debugger"}}},
                               {kMachine, nt("\\AeDebug"), Views::kBoth, false, {{"Debugger"}}}},
                              kNew));

  std::vector<WatchedValue> profiler;
  for (const char* name :
       {"COR_ENABLE_PROFILING", "COR_PROFILER", "COR_PROFILER_PATH", "COR_PROFILER_PATH_32",
        "COR_PROFILER_PATH_64", "CORECLR_ENABLE_PROFILING", "CORECLR_PROFILER",
        "CORECLR_PROFILER_PATH", "CORECLR_PROFILER_PATH_32", "CORECLR_PROFILER_PATH_64"}) {
    profiler.push_back({name});
  }
  auto user_variables = profiler;
  user_variables.insert(user_variables.begin(), {"UserInitMprLogonScript"});
  kinds.push_back(
      RegistryRow('V', texts::kEnvironmentType, Reads::kNamedValues,
                  "The logon script and the .NET profiler that every .NET program loads",
                  {{kUser, "\\Environment", Views::kOne, false, user_variables},
                   {kMachine, session + "\\Environment", Views::kOne, false, profiler}},
                  kNew));

  kinds.push_back(RegistryRow(
      'Z', texts::kScreensaverType, Reads::kNamedValues,
      "The screensaver, which Windows starts when the PC is idle",
      {{kUser, "\\Control Panel\\Desktop", Views::kOne, false, {{"SCRNSAVE.EXE"}}}}, kNew));

  auto cert_dlls = RegistryRow('L', texts::kSessionManagerType, Reads::kValueNames,
                               "DLLs loaded into every program that starts another one",
                               {{kMachine, session + "\\AppCertDlls"}}, kNew);
  cert_dlls.ask_one_by_one = true;
  kinds.push_back(cert_dlls);

  auto boot_execute = RegistryRow(
      'B', texts::kSessionManagerType, Reads::kMultiStringItems,
      "Each program that Windows runs before it starts, one entry per item",
      {{kMachine, session, Views::kOne, false, {{"BootExecute"}, {"SetupExecute"}}}}, kNew);
  boot_execute.removal = Removal::kCutListItem;
  boot_execute.ask_one_by_one = true;
  kinds.push_back(boot_execute);

  kinds.push_back(RegistryRow(
      'Y', texts::kSessionManagerType, Reads::kNamedValues,
      "The program that tells Windows a start went well",
      {{kMachine, control("\\BootVerificationProgram"), Views::kOne, false, {{"ImagePath"}}}},
      kNew));

  kinds.push_back(RegistryRow('H', texts::kNetShType, Reads::kValueNames,
                              "The helper DLLs that every netsh command loads",
                              {{kMachine, "\\Software\\Microsoft\\NetSh", Views::kBoth}}, kNew));

  // Without it no program could dial a connection it needs.
  auto winsock =
      RegistryRow('K', texts::kWinsockType, Reads::kNamedValues,
                  "The DLL that every program using the network loads to dial a connection",
                  {{kMachine,
                    services("\\WinSock2\\Parameters"),
                    Views::kOne,
                    false,
                    {{"AutodialDLL", "\\System32\\rasadhlp.dll", true}}}},
                  kNew);
  winsock.ask_one_by_one = true;
  kinds.push_back(winsock);

  auto packages = RegistryRow(
      'P', texts::kSecurityPackageType, Reads::kMultiStringItems,
      "The DLLs that the Local Security Authority loads, one entry per item",
      {{kMachine,
        control("\\Lsa"),
        Views::kOne,
        false,
        {{"Authentication Packages"}, {"Notification Packages"}, {"Security Packages"}}},
       {kMachine, control("\\Lsa\\OSConfig"), Views::kOne, false, {{"Security Packages"}}}},
      kNew);
  packages.removal = Removal::kCutListItem;
  packages.ask_one_by_one = true;
  kinds.push_back(packages);

  auto directory =
      RegistryRow('Q', texts::kSecurityPackageType, Reads::kNamedValues,
                  "The extension that the Local Security Authority loads",
                  {{kMachine, services("\\NTDS"), Views::kOne, false, {{"LsaDbExtPt"}}}}, kNew);
  directory.ask_one_by_one = true;
  kinds.push_back(directory);

  auto time = RegistryRow(
      'I', texts::kTimeProviderType, Reads::kSubkeyValues,
      "The DLL of every time provider, which the time service loads",
      {Parent(kMachine, services("\\W32Time\\TimeProviders"), Views::kOne, {{"DllName"}})}, kNew);
  time.ask_one_by_one = true;
  kinds.push_back(time);

  std::vector<RegistryPlace> printing = {
      Parent(kMachine, control("\\Print\\Monitors"), Views::kOne, {{"Driver"}})};
  for (const char* environment : {"Windows x64", "Windows NT x86", "Windows ARM64"}) {
    printing.push_back(
        Parent(kMachine, control("\\Print\\Environments\\") + environment + "\\Print Processors",
               Views::kOne, {{"Driver"}}));
  }
  auto print = RegistryRow('M', texts::kPrintingType, Reads::kSubkeyValues,
                           "The DLL of every print monitor and print processor, which the "
                           "print spooler loads",
                           printing, kNew);
  print.ask_one_by_one = true;
  kinds.push_back(print);

  const std::string client = "\\Software\\Microsoft\\Terminal Server Client";
  kinds.push_back(RegistryRow(
      'G', texts::kRemoteDesktopType, Reads::kNamedValues,
      "The programs a remote session starts, and the DLL the Remote Desktop client loads",
      {{kMachine,
        control("\\Terminal Server\\Wds\\rdpwd"),
        Views::kOne,
        false,
        {{"StartupPrograms", "rdpclip"}}},
       {kMachine, client, Views::kBoth, false, {{"ClxDllPath"}}},
       {kUser, client, Views::kOne, false, {{"ClxDllPath"}}}},
      kNew));
  kinds.push_back(
      RegistryRow('J', texts::kRemoteDesktopType, Reads::kSubkeyValues,
                  "The add-ins that the Remote Desktop client loads",
                  {Parent(kUser, client + "\\Default\\AddIns", Views::kOne, {{"Name"}}),
                   Parent(kMachine, client + "\\Default\\AddIns", Views::kBoth, {{"Name"}})},
                  kNew));

  std::vector<RegistryPlace> office = {
      {kUser, "\\Software\\Microsoft\\Office test\\Special\\Perf", Views::kOne, false, {{""}}},
      {kMachine, "\\Software\\Microsoft\\Office test\\Special\\Perf", Views::kBoth, false, {{""}}}};
  for (const char* version : {"16.0", "15.0", "14.0"}) {
    office.push_back({kUser,
                      std::string("\\Software\\Microsoft\\Office\\") + version + "\\Word\\Options",
                      Views::kOne,
                      false,
                      {{"STARTUP-PATH"}}});
  }
  kinds.push_back(RegistryRow('O', texts::kOfficeType, Reads::kNamedValues,
                              "The DLL every Office program loads, and Word's startup folder",
                              office, kNew));

  // A value name carries no root, so each root has a row of its own.
  for (const char type_code : {'U', 'u'}) {
    const char root_code = type_code == 'U' ? kMachine : kUser;
    kinds.push_back(RegistryRow(
        type_code, texts::kBrowserExtensionType, Reads::kValueNames,
        "The browser extensions that Chrome and Edge install by policy, which the user "
        "cannot remove",
        {{root_code, "\\Software\\Policies\\Google\\Chrome\\ExtensionInstallForcelist"},
         {root_code, "\\Software\\Policies\\Microsoft\\Edge\\ExtensionInstallForcelist"}},
        kNew));
  }

  const auto explorer = [](const char* path) { return Below(kCurrentVersion, path); };
  kinds.push_back(RegistryRow(
      'F', texts::kShellFolderType, Reads::kNamedCommands, "Where the Startup folders lie",
      {{kUser, explorer("\\Explorer\\User Shell Folders"), Views::kOne, false, {{"Startup"}}},
       {kUser, explorer("\\Explorer\\Shell Folders"), Views::kOne, false, {{"Startup"}}},
       {kMachine,
        explorer("\\Explorer\\User Shell Folders"),
        Views::kBoth,
        false,
        {{"Common Startup"}}},
       {kMachine,
        explorer("\\Explorer\\Shell Folders"),
        Views::kBoth,
        false,
        {{"Common Startup"}}}},
      kNew));

  // The user's own registrations come before the machine's.
  auto com =
      RegistryRow('9', texts::kComClassType, Reads::kSubkeys,
                  "The user's own COM classes with a server, which programs load instead of the "
                  "machine's class of the same name",
                  {Parent(kUser, Below(kUserClasses, "\\CLSID"), Views::kOne),
                   Parent(kUser, Below(kUserClasses, "\\WOW6432Node\\CLSID"), Views::kOne)},
                  kNew);
  com.counted_with = {"InprocServer32", "LocalServer32", "TreatAs"};
  com.command = CommandFrom::kSubkeyValue;
  com.command_key = "\\InprocServer32";
  com.command_value = "";
  com.command_can_change = true;
  com.removal = Removal::kDeleteKeyTree;
  kinds.push_back(com);

  auto file_types = RegistryRow('0', texts::kFileTypeType, Reads::kSubkeys,
                                "The user's own registrations of the file types that start "
                                "programs, which Windows uses instead of the machine's",
                                {Parent(kUser, kUserClasses, Views::kOne)}, kNew);
  file_types.only_subkeys = {"exefile", "comfile", "batfile", "cmdfile",     "htafile",
                             "piffile", "scrfile", "mscfile", "ms-settings", "Folder",
                             ".exe",    ".bat",    ".cmd",    ".com",        ".hta",
                             ".msc",    ".scr",    ".vbs",    ".js"};
  file_types.command = CommandFrom::kSubkeyValue;
  file_types.command_key = "\\shell\\open\\command";
  file_types.command_value = "";
  file_types.command_can_change = true;
  file_types.removal = Removal::kDeleteKeyTree;
  kinds.push_back(file_types);

  const auto compatibility = [&nt](const char* path) { return nt("\\AppCompatFlags") + path; };
  kinds.push_back(RegistryRow(
      'g', texts::kShimDatabaseType, Reads::kSubkeyValues,
      "The custom shim databases installed, which Windows applies to the programs they name",
      {Parent(kMachine, compatibility("\\InstalledSDB"), Views::kBoth, {{"DatabasePath"}})}, kNew));
  kinds.push_back(RegistryRow('c', texts::kShimDatabaseType, Reads::kSubkeyValueNames,
                              "The custom shim databases applied to each program",
                              {Parent(kMachine, compatibility("\\Custom"), Views::kBoth)}, kNew));

  kinds.push_back(RegistryRow(
      'y', texts::kAccessibilityType, Reads::kSubkeyValues,
      "The assistive programs registered, which Windows can start at the sign-in screen",
      {Parent(kMachine, nt("\\Accessibility\\ATs"), Views::kBoth, {{"StartExe"}})}, kNew));

  // Task Manager's switch of each Run value and Startup file: a program that
  // turns a disabled one back on is asked about; No turns it off again.
  for (const char type_code : {'a', 'b'}) {
    const char root_code = type_code == 'a' ? kMachine : kUser;
    std::vector<RegistryPlace> keys;
    for (const char* name : {"\\Run", "\\Run32", "\\StartupFolder"}) {
      keys.push_back({root_code, locations::kStartupApprovedKey + std::string(name)});
    }
    auto approved = RegistryRow(type_code, texts::kTaskManagerType, Reads::kValueNames,
                                "Which Run values and Startup files Task Manager keeps "
                                "disabled; one turned back on is asked about",
                                keys, kNew);
    approved.command = CommandFrom::kApprovedState;
    approved.asked_when_new = false;
    approved.asked_when_changed_to = texts::kApprovedEnabled;
    kinds.push_back(approved);
  }
}

// The files Windows runs by name: PowerShell's profiles, the scripts of
// Windows setup and custom shim databases.
void AddStartedFiles(std::vector<EntryKind>& kinds) {
  EntryKind scripts{'p', texts::kStartupScriptType, Area::kStartupFolders, Reads::kFolderFiles,
                    "PowerShell's profiles, which every PowerShell runs when it starts, and the "
                    "scripts that Windows setup runs"};
  scripts.folders = {
      {FolderBase::kShellDocuments, "\\WindowsPowerShell", "\\WindowsPowerShell", true, false,
       kProfiles},
      {FolderBase::kShellDocuments, "\\PowerShell", "\\PowerShell", true, false, kProfiles},
      {FolderBase::kWindows, "\\System32\\WindowsPowerShell\\v1.0",
       "\\System32\\WindowsPowerShell\\v1.0", true, false, kProfiles},
      {FolderBase::kProgramFiles, "\\PowerShell\\7", "\\PowerShell\\7", true, false, kProfiles},
      {FolderBase::kWindows, "\\Setup\\Scripts", "\\Setup\\Scripts", true, false, "*.cmd"},
  };
  scripts.command = CommandFrom::kFile;
  scripts.removal = Removal::kMoveFile;
  scripts.since = 2;
  kinds.push_back(scripts);

  // Windows starts these at the sign-in screen, before anyone has signed in:
  // a replaced one gives whoever presses its key a program with the
  // system's rights.
  EntryKind accessibility{'z', texts::kAccessibilityType, Area::kStartupFolders,
                          Reads::kFolderFiles,
                          "The accessibility programs that Windows starts at the sign-in screen; "
                          "a replaced one is asked about, and No puts back the copy Corvane kept "
                          "when it first saw it"};
  for (const char* name : {"sethc.exe", "utilman.exe", "osk.exe", "Magnify.exe", "Narrator.exe",
                           "DisplaySwitch.exe", "AtBroker.exe"}) {
    accessibility.folders.push_back(
        {FolderBase::kWindows, "\\System32", "\\System32", true, false, name});
  }
  accessibility.command = CommandFrom::kFile;
  accessibility.command_can_change = true;
  accessibility.tracks_content = true;
  accessibility.removal = Removal::kMoveFile;
  accessibility.ask_one_by_one = true;
  accessibility.since = 2;
  kinds.push_back(accessibility);

  EntryKind shims{'h', texts::kShimDatabaseType, Area::kStartupFolders, Reads::kFolderFiles,
                  "The custom shim databases, which change how Windows starts the programs "
                  "they name"};
  shims.folders = {
      {FolderBase::kWindows, "\\AppPatch\\Custom", "\\AppPatch\\Custom", true, false, "*.sdb"},
      {FolderBase::kWindows, "\\AppPatch\\Custom\\Custom64", "\\AppPatch\\Custom\\Custom64", true,
       false, "*.sdb"},
  };
  shims.command = CommandFrom::kFile;
  shims.removal = Removal::kMoveFile;
  shims.since = 2;
  kinds.push_back(shims);
}

std::vector<EntryKind> MakeKinds() {
  using Item = EntryKind::LoggedItem;
  const auto winlogon = Below(kNtCurrentVersion, "\\Winlogon");
  std::vector<EntryKind> kinds;

  EntryKind startup{'3', texts::kStartupFolderType, Area::kStartupFolders, Reads::kFolderFiles,
                    "The files of the Startup folders; only ordinary files count, no subfolders "
                    "and no hidden or system files"};
  // The folders of older Windows first; entries carry the letter case they
  // are recorded with ("Startup" for all users, though searched as "startup").
  startup.folders = {
      {FolderBase::kWindows, "\\Start Menu\\Programs\\Startup", "\\Start Menu\\Programs\\Startup",
       true},
      {FolderBase::kAllUsersProfile, "\\Start Menu\\Programs\\startup",
       "\\Start Menu\\Programs\\Startup"},
      {FolderBase::kUserProfile, "\\Start Menu\\Programs\\startup",
       "\\Start Menu\\Programs\\startup"},
      {FolderBase::kAdministrator, "\\Start Menu\\Programs\\startup",
       "\\Start Menu\\Programs\\startup"},
      // Where Windows starts programs from today, unless one is a folder above.
      {FolderBase::kShellStartup, "", "", false, true},
      {FolderBase::kShellCommonStartup, "", "", false, true},
  };
  startup.command = CommandFrom::kFile;
  startup.command_can_change = true;
  startup.removal = Removal::kMoveFile;
  startup.logged = texts::kStartupFolderFileLogged;
  startup.logged_item = Item::kFileName;
  startup.approved = Approved::kStartupFile;
  kinds.push_back(startup);
  AddStartedFiles(kinds);

  for (const char root_code : {kMachine, kUser}) {
    EntryKind run{root_code,
                  texts::kRegistryStartupType,
                  Area::kRegistryKeys,
                  Reads::kValueNames,
                  "Every value of these keys; the blacklist and \"Do not ask me again\" apply "
                  "to them",
                  RunKeys(root_code)};
    run.command = CommandFrom::kValueData;
    run.command_can_change = true;
    run.logged = texts::kRegistryStartupLogged;
    run.logged_item = Item::kName;
    run.blacklistable = true;
    run.approved = Approved::kRunValue;
    kinds.push_back(run);
  }

  EntryKind start_page{'7', texts::kRegistryType, Area::kRegistryKeys, Reads::kNamedValues,
                       "The Internet Explorer start page"};
  start_page.keys = {{kUser,
                      "\\Software\\Microsoft\\Internet Explorer\\Main",
                      Views::kOne,
                      false,
                      {{"Start Page"}}}};
  start_page.removal = Removal::kEmptyValue;
  start_page.logged = texts::kStartPageLogged;
  kinds.push_back(start_page);

  // Windows cannot log on without the machine's Shell and Userinit.
  EntryKind logon{'W', texts::kWinlogonType, Area::kRegistryKeys, Reads::kNamedValues,
                  "The shell and the programs Windows starts at logon; a changed value is "
                  "asked about"};
  logon.ask_one_by_one = true;
  logon.keys = {{kMachine,
                 winlogon,
                 Views::kBoth,
                 false,
                 {{"Shell", "explorer.exe"},
                  {"Userinit", "\\system32\\userinit.exe,", true},
                  {"Taskman"},
                  {"AppSetup"}}},
                {kUser, winlogon, Views::kOne, false, {{"Shell"}, {"Userinit"}}}};
  logon.since = 2;
  kinds.push_back(logon);

  // A program named as the debugger of a subkey starts instead of the
  // program that the subkey is named after.
  EntryKind debugger{'D', texts::kDebuggerType, Area::kRegistryKeys, Reads::kSubkeyValues,
                     "The debugger of every subkey: a program that Windows starts instead "
                     "whenever the program the subkey names is started"};
  debugger.keys = {{kMachine,
                    Below(kNtCurrentVersion, "\\Image File Execution Options"),
                    Views::kBoth,
                    true,
                    {{"Debugger"}}}};
  kinds.push_back(debugger);

  // DLLs loaded into every program that loads user32.
  EntryKind app_init{'A', texts::kAppInitType, Area::kRegistryKeys, Reads::kNamedValues,
                     "DLLs loaded into every program that loads user32, when not empty"};
  app_init.keys = {
      {kMachine, Below(kNtCurrentVersion, "\\Windows"), Views::kBoth, false, {{"AppInit_DLLs"}}}};
  app_init.removal = Removal::kEmptyValue;
  // Security programs load their own DLLs this way.
  app_init.ask_one_by_one = true;
  kinds.push_back(app_init);

  // A command that every Command Prompt runs before anything else.
  EntryKind command_processor{'C', texts::kCommandProcessorType, Area::kRegistryKeys,
                              Reads::kNamedValues,
                              "The command that every Command Prompt runs when it starts"};
  command_processor.keys = {
      {kMachine, "\\Software\\Microsoft\\Command Processor", Views::kBoth, false, {{"AutoRun"}}},
      {kUser, "\\Software\\Microsoft\\Command Processor", Views::kOne, false, {{"AutoRun"}}}};
  kinds.push_back(command_processor);
  AddLoadPoints(kinds);

  // Every service and driver that may start, by itself or when asked for,
  // with a program (ImagePath); a disabled one starts nothing.
  EntryKind service{'4', texts::kRegistryServiceType, Area::kServices, Reads::kSubkeys,
                    "Every service that is not disabled (Start is not 4) with a program "
                    "(ImagePath)"};
  service.keys = {{kMachine, kServices, Views::kOne, true}};
  service.counted_when = "Start";
  service.counted_number = 4;
  service.counted_unless = true;
  service.needs_command = true;
  service.command = CommandFrom::kSubkeyValue;
  service.command_value = "ImagePath";
  service.command_can_change = true;
  service.removal = Removal::kDisableService;
  service.ask_one_by_one = true;
  service.disabled_number = 4;
  service.logged = texts::kServiceStartupLogged;
  service.logged_item = Item::kName;
  service.since = 2;
  kinds.push_back(service);

  // The DLL that the shared service process (svchost) loads for the service;
  // only such services are read again.
  EntryKind service_dll = service;
  service_dll.narrowed_by = '4';
  service_dll.narrowed_to = "svchost";
  service_dll.type_code = 's';
  service_dll.type_text = texts::kServiceDllType;
  service_dll.about =
      "The DLL of every service that is not disabled and runs in svchost "
      "(Parameters\\ServiceDll)";
  service_dll.command_key = "\\Parameters";
  service_dll.command_value = "ServiceDll";
  service_dll.logged = nullptr;
  service_dll.logged_item = Item::kNothing;
  kinds.push_back(service_dll);

  for (const auto& [type_code, file, keys] :
       {std::make_tuple('5', "win.ini", std::vector<const char*>{"run=", "load="}),
        std::make_tuple('6', "system.ini", std::vector<const char*>{"shell="})}) {
    EntryKind ini{type_code, std::string(file) + texts::kIniFileTypeSuffix, Area::kIniFiles,
                  Reads::kIniLines, "The autostart lines of an INI file in the Windows folder"};
    for (const char* key : keys) ini.ini_lines.push_back({file, key});
    ini.command = CommandFrom::kIniValue;
    ini.removal = Removal::kCutIniValue;
    ini.logged = texts::kIniStartupLogged;
    ini.logged_item = Item::kIniValue;
    kinds.push_back(ini);
  }

  EntryKind helper{'8', texts::kRegistryType, Area::kIeObjects, Reads::kSubkeys,
                   "The browser helper objects, which Internet Explorer loads when it starts"};
  helper.keys = {
      {kMachine, Below(kCurrentVersion, "\\Explorer\\Browser Helper Objects"), Views::kBoth, true}};
  helper.command = CommandFrom::kClassServer;
  helper.removal = Removal::kDeleteKeyTree;
  helper.logged = texts::kBrowserHelperLogged;
  kinds.push_back(helper);

  EntryKind task{'T', texts::kScheduledTaskType, Area::kScheduledTasks, Reads::kLibrary,
                 "Every task in the Task Scheduler library that you can see, hidden ones "
                 "included, named by its path (\\Folder\\Name)"};
  task.command = CommandFrom::kDefinition;
  task.removal = Removal::kDeleteFromLibrary;
  kinds.push_back(task);

  EntryKind subscription = task;
  subscription.type_code = 'w';
  subscription.type_text = texts::kEventSubscriptionType;
  subscription.about =
      "Every WMI event filter bound to a consumer that runs a command line or a script, named "
      "by its consumer and its filter";
  subscription.library = Library::kEventSubscriptions;
  subscription.since = 3;
  kinds.push_back(subscription);
  return kinds;
}

}  // namespace

bool AreaIsOn(const AreaSwitches& switches, Area area) {
  switch (area) {
    case Area::kRegistryKeys:
      return switches.MonitorRegistryKeys();
    case Area::kStartupFolders:
      return switches.MonitorStartupFolders();
    case Area::kServices:
      return switches.MonitorServices();
    case Area::kIniFiles:
      return switches.MonitorIniFiles();
    case Area::kIeObjects:
      return switches.MonitorIeObjects();
    case Area::kScheduledTasks:
      return switches.MonitorScheduledTasks();
  }
  return false;
}

bool CountedByNumber(const EntryKind& kind, std::optional<std::int32_t> number) {
  const bool holds = number == std::optional<std::int32_t>(kind.counted_number);
  return kind.counted_unless ? number && !holds : holds;
}

const std::vector<EntryKind>& EntryKinds() {
  static const std::vector<EntryKind> kinds = MakeKinds();
  return kinds;
}

const EntryKind* KindOf(char type_code) {
  for (const auto& kind : EntryKinds()) {
    if (kind.type_code == type_code) return &kind;
  }
  return nullptr;
}

std::vector<std::string> ViewsOf(const RegistryPlace& place) {
  const std::string software = std::string(locations::kSoftwareKey) + '\\';
  const auto& key = place.key;
  if (place.views == Views::kOne || key.compare(0, software.size(), software) != 0) return {key};
  return {key, locations::kSoftwareKey +
                   (locations::kThirtyTwoBitViewKey + key.substr(software.size() - 1))};
}

}  // namespace corvane
