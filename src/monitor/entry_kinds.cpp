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
  kinds.push_back(startup);

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
                 {{"Shell", "explorer.exe"}, {"Userinit", "\\system32\\userinit.exe,", true}}},
                {kUser, winlogon, Views::kOne, false, {{"Shell"}}}};
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

  EntryKind service{'4', texts::kRegistryServiceType, Area::kServices, Reads::kSubkeys,
                    "Every service that starts automatically (Start is 2) with a program "
                    "(ImagePath)"};
  service.keys = {{kMachine, "\\SYSTEM\\CurrentControlSet\\Services", Views::kOne, true}};
  // Only services that start automatically, with a program to start.
  service.counted_when = "Start";
  service.counted_number = 2;
  service.command = CommandFrom::kSubkeyValue;
  service.command_value = "ImagePath";
  service.command_can_change = true;
  service.removal = Removal::kDisableService;
  service.ask_one_by_one = true;
  service.disabled_number = 4;
  service.logged = texts::kServiceStartupLogged;
  service.logged_item = Item::kName;
  kinds.push_back(service);

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

  EntryKind task{'T', texts::kScheduledTaskType, Area::kScheduledTasks, Reads::kTasks,
                 "Every task in the Task Scheduler library that you can see, hidden ones "
                 "included, named by its path (\\Folder\\Name)"};
  task.command = CommandFrom::kTaskAction;
  task.removal = Removal::kDeleteTask;
  kinds.push_back(task);
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
