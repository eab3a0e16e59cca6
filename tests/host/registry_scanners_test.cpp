#include <gtest/gtest.h>

#include "memory_platform_fixture.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;
constexpr char kMachineRun[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kMain[] = "\\Software\\Microsoft\\Internet Explorer\\Main";

class RegistryScannersTest : public MemoryPlatformTest {
 protected:
  void ScanRun(const char*, char root_code) { ScanRow(root_code); }
  void ScanStartPage() { ScanRow('7'); }
};

TEST_F(RegistryScannersTest, EveryValueNameGivesAnEntryWhateverItsData) {
  registry.SetString(kUser, kUserRun, "Tool", "C:\\tool.exe");
  registry.SetString(kUser, kUserRun, "Empty", "");
  registry.SetInteger(kUser, kUserRun, "Number", 7);
  registry.SetBinary(kUser, kUserRun, "Bytes", "\x01");
  registry.SetString(kUser, kUserRun, "", "C:\\default.exe");
  ScanRun(kUserRun, '2');
  EXPECT_EQ(Current(), (Strings{
                           "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool",
                           "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Empty",
                           "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Number",
                           "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Bytes",
                           "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\",
                       }));
}

TEST_F(RegistryScannersTest, TheSameNameUnderBothRootsGivesTwoEntries) {
  registry.SetString(kMachine, kMachineRun, "Tool", "a");
  registry.SetString(kUser, kUserRun, "Tool", "b");
  ScanRun(kMachineRun, '1');
  ScanRun(kUserRun, '2');
  EXPECT_EQ(Current(), (Strings{"1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool",
                                "2\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool"}));
}

TEST_F(RegistryScannersTest, MissingEmptyOrUnreadableKeysGiveNothing) {
  ScanRun(kUserRun, '2');
  registry.CreateKey(kMachine, kMachineRun);
  ScanRun(kMachineRun, '1');
  registry.SetString(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "X", "x");
  registry.RefuseReading(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
  ScanRun("\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", '1');
  EXPECT_TRUE(Current().empty());
}

TEST_F(RegistryScannersTest, KeysThatTheAccountMayNotWriteAreStillWatched) {
  registry.SetString(kMachine, kMachineRun, "Agent", "agent.exe");
  registry.RefuseWriting(kMachine, kMachineRun);
  ScanRun(kMachineRun, '1');
  EXPECT_EQ(Current(), Strings{"1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Agent"});
}

TEST_F(RegistryScannersTest, StartPageIsRecordedWithItsDataWhole) {
  registry.SetString(kUser, kMain, "Start Page", "C:\\pages\\home.htm");
  ScanStartPage();
  EXPECT_EQ(Current(), Strings{"72\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page\\"
                               "C:\\pages\\home.htm"});
}

TEST_F(RegistryScannersTest, StartPageThatIsUnsetEmptyOrNotAStringGivesNothing) {
  ScanStartPage();
  registry.SetString(kUser, kMain, "Start Page", "");
  ScanStartPage();
  registry.SetInteger(kUser, kMain, "Start Page", 1);
  ScanStartPage();
  registry.SetBinary(kUser, kMain, "Start Page", "http://x");
  ScanStartPage();
  EXPECT_TRUE(Current().empty());

  registry.SetExpandString(kUser, kMain, "Start Page", "%HOME%\\p.htm");
  ScanStartPage();  // taken unexpanded
  EXPECT_EQ(Current(), Strings{"72\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page\\"
                               "%HOME%\\p.htm"});
}

}  // namespace
}  // namespace corvane
