#include <gtest/gtest.h>

#include "memory_platform_fixture.h"
#include "monitor/snapshot_scan.h"
#include "platform/errors.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;

class SnapshotScanTest : public MemoryPlatformTest {
 protected:
  void SetUp() override {
    environment.Set("windir", "C:\\WINDOWS");
    environment.Set("USERPROFILE", "C:\\Users\\bob");
    files.AddFile("C:\\Users\\bob\\Start Menu\\Programs\\Startup\\folder.lnk");
    registry.SetString(kUser, kUserRun, "UserTool", "u.exe");
    registry.SetString(kMachine, "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\shell",
                       "Shell", "explorer.exe");
    registry.SetString(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
                       "Once", "o.exe");
    registry.SetString(kUser, "\\Software\\Microsoft\\Internet Explorer\\Main", "Start Page",
                       "about:blank");
    registry.SetInteger(kMachine, "\\SYSTEM\\CurrentControlSet\\Services\\Svc", "Start", 2);
    registry.SetString(kMachine, "\\SYSTEM\\CurrentControlSet\\Services\\Svc", "ImagePath", "s.exe");
    files.AddFile("C:\\WINDOWS\\system.ini", "shell=explorer.exe\r\n");
    files.AddFile("C:\\WINDOWS\\win.ini", "load=l.exe\r\nrun=r.exe\r\n");
    registry.CreateKey(kMachine,
                       "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                       "Browser Helper Objects\\{B}");
  }
};

const Strings kEverything = {
    "3C:\\Users\\bob\\Start Menu\\Programs\\startup\\folder.lnk",
    "1\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce\\Once",
    "1\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\shell\\Shell",
    "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\UserTool",
    "72\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page\\about:blank",
    "4Svc",
    "5run=r.exe",
    "5load=l.exe",
    "6shell=explorer.exe",
    "8{B}",
};

TEST_F(SnapshotScanTest, ScansEveryAreaInOrderAndMakesItTheBaseline) {
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Current(), kEverything);
  EXPECT_EQ(Baseline(), kEverything);
}

TEST_F(SnapshotScanTest, EachSwitchLeavesOutItsAreaAtTheMomentOfTheScan) {
  switches.registry_keys = false;
  switches.ini_files = false;
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Baseline(), (Strings{kEverything[0], "4Svc", "8{B}"}));

  switches = FixedAreaSwitches{};
  switches.startup_folders = false;
  switches.services = false;
  switches.ie_objects = false;
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Baseline(), (Strings{kEverything[1], kEverything[2], kEverything[3], kEverything[4],
                                 kEverything[6], kEverything[7], kEverything[8]}));

  switches.registry_keys = false;
  switches.ini_files = false;
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_TRUE(Current().empty());
  EXPECT_TRUE(Baseline().empty());
}

TEST_F(SnapshotScanTest, AScanEndedByAnErrorKeepsThePreviousBaseline) {
  TakeSnapshotScan(platform, switches, tables);
  registry.SetString(kUser, kUserRun, "NewTool", "n.exe");
  files.SetFailure("C:\\WINDOWS\\system.ini", MemoryFileSystem::Failure::kCannotRead);

  EXPECT_THROW(TakeSnapshotScan(platform, switches, tables), InOutError);
  EXPECT_EQ(Baseline(), kEverything);
  EXPECT_EQ(Current().size(), 9u);  // everything up to the win.ini lines, NewTool included
  EXPECT_EQ(Current()[4], "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\NewTool");
}

TEST_F(SnapshotScanTest, ValueDataChangesAreNoChangeButRenamesAndNewPagesAre) {
  TakeSnapshotScan(platform, switches, tables);
  registry.SetString(kUser, kUserRun, "UserTool", "changed.exe");
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Baseline(), kEverything);

  registry.SetString(kUser, "\\Software\\Microsoft\\Internet Explorer\\Main", "Start Page",
                     "http://example.invalid/");
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Baseline()[4],
            "72\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page\\http://example.invalid/");
}

// Where Windows 10 and 11 start programs, in scanning order: each machine
// key under \Software directly followed by its 32-bit view.
TEST_F(SnapshotScanTest, TodaysPlacesComeInOrderEachMachineKeyBeforeIts32BitView) {
  const std::string wow = "\\Software\\WOW6432Node\\Microsoft";
  const std::string nt = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
  const std::string wow_nt = wow + "\\Windows NT\\CurrentVersion";
  const std::string policies =
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
  const std::string roaming =
      "C:\\Users\\bob\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  environment.SetShellFolder(ShellFolder::kStartup, roaming);
  // The Parts' own folder under another spelling: listed once.
  environment.SetShellFolder(ShellFolder::kCommonStartup,
                             "C:\\USERS\\BOB\\Start Menu\\Programs\\STARTUP");
  files.AddFile(roaming + "\\new.lnk");
  registry.SetString(kMachine, wow + "\\Windows\\CurrentVersion\\Run", "Tool32", "t.exe");
  registry.SetString(kMachine, policies, "Pol", "p.exe");
  // Windows shares the policies' key between its views: one key, one entry.
  registry.ShareKey(kMachine, wow + "\\Windows\\CurrentVersion\\Policies",
                    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies");
  registry.SetString(kUser, policies, "UPol", "u.exe");
  registry.SetString(kMachine, nt + "\\Winlogon", "Shell", "explorer.exe");
  registry.SetString(kMachine, nt + "\\Winlogon", "Userinit",
                     "C:\\WINDOWS\\system32\\userinit.exe,");
  registry.SetString(kMachine, wow_nt + "\\Winlogon", "Userinit", "C:\\evil.exe,");
  registry.SetString(kUser, nt + "\\Winlogon", "Shell", "x.exe");
  registry.SetString(kMachine, nt + "\\Image File Execution Options\\notepad.exe", "Debugger",
                     "C:\\d\\x.exe");
  registry.SetString(kMachine, nt + "\\Image File Execution Options\\calc.exe", "Other", "1");
  registry.SetString(kMachine, wow_nt + "\\Image File Execution Options\\a.exe", "Debugger",
                     "d.exe");
  registry.SetString(kMachine, nt + "\\Windows", "AppInit_DLLs", "");
  registry.SetString(kMachine, wow_nt + "\\Windows", "AppInit_DLLs", "C:\\x.dll");
  registry.CreateKey(kMachine,
                     wow + "\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\{W}");
  tasks.Add("\\Updater");
  tasks.Add("\\Folder\\Hidden");

  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(
      Baseline(),
      (Strings{kEverything[0],
               "3" + roaming + "\\new.lnk",
               "1" + wow + "\\Windows\\CurrentVersion\\Run\\Tool32",
               kEverything[1],
               kEverything[2],
               "1" + policies + "\\Pol",
               kEverything[3],
               "2" + policies + "\\UPol",
               kEverything[4],
               "W1" + nt + "\\Winlogon\\Shell\\explorer.exe",
               "W1" + nt + "\\Winlogon\\Userinit\\C:\\WINDOWS\\system32\\userinit.exe,",
               "W1" + wow_nt + "\\Winlogon\\Userinit\\C:\\evil.exe,",
               "W2" + nt + "\\Winlogon\\Shell\\x.exe",
               "D1" + nt + "\\Image File Execution Options\\notepad.exe\\Debugger\\C:\\d\\x.exe",
               "D1" + wow_nt + "\\Image File Execution Options\\a.exe\\Debugger\\d.exe",
               "A1" + wow_nt + "\\Windows\\AppInit_DLLs\\C:\\x.dll",
               "4Svc",
               "5run=r.exe",
               "5load=l.exe",
               "6shell=explorer.exe",
               "8{B}",
               "8" + wow + "\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\{W}",
               "T\\Updater",
               "T\\Folder\\Hidden"}));

  switches.scheduled_tasks = false;
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Baseline().back(),
            "8" + wow + "\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\{W}");
}

// A scheduler that cannot be reached for a moment neither hides the tasks
// nor, when it answers again, makes them all look new.
TEST_F(SnapshotScanTest, AnUnreachableTaskLibraryKeepsTheTasksItHad) {
  tasks.Add("\\Updater");
  TakeSnapshotScan(platform, switches, tables);
  tasks.SetReachable(false);
  tasks.Add("\\Planted");
  TakeSnapshotScan(platform, switches, tables);
  EXPECT_EQ(Baseline().back(), "T\\Updater");
  tasks.SetReachable(true);
  FillCurrentTable(platform, switches, tables);
  EXPECT_EQ(Current().back(), "T\\Planted");
  EXPECT_FALSE(tables.baseline.Contains("T\\Planted"));
  EXPECT_TRUE(tables.baseline.Contains("T\\Updater"));
}

}  // namespace
}  // namespace corvane
