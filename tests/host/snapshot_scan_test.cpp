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

}  // namespace
}  // namespace corvane
