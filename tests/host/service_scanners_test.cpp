#include <gtest/gtest.h>

#include "memory_platform_fixture.h"

namespace corvane {
namespace {

using Strings = std::vector<std::string>;
constexpr char kServices[] = "\\SYSTEM\\CurrentControlSet\\Services";
constexpr char kHelpers[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

class ServiceScannersTest : public MemoryPlatformTest {
 protected:
  void AddService(const std::string& name, std::uint32_t start, const std::string& image_path) {
    const auto key = std::string(kServices) + "\\" + name;
    registry.SetInteger(kMachine, key, "Start", start);
    registry.SetExpandString(kMachine, key, "ImagePath", image_path);
  }
};

TEST_F(ServiceScannersTest, EveryServiceThatIsNotDisabledWithAProgramIsRecorded) {
  for (std::uint32_t start = 0; start <= 4; ++start) {
    AddService("Start" + std::to_string(start), start, "C:\\svc.exe");
  }
  AddService("NoImage", 2, "");
  registry.SetInteger(kMachine, std::string(kServices) + "\\Unset", "Start", 2);
  AddService("Last", 2, "%SystemRoot%\\last.exe");
  ScanRow('4');
  EXPECT_EQ(Current(), (Strings{"4Start0", "4Start1", "4Start2", "4Start3", "4Last"}));
  // The DLL of a service that svchost runs and that is not disabled, with
  // the services' row scanned before or not.
  AddService("Start3", 3, "%SystemRoot%\\System32\\SVCHOST.exe -k netsvcs");
  AddService("Start4", 4, "%SystemRoot%\\System32\\svchost.exe -k netsvcs");
  for (const char* name : {"Start3", "Start4", "NoImage", "Last"}) {
    registry.SetExpandString(kMachine, std::string(kServices) + "\\" + name + "\\Parameters",
                             "ServiceDll", "C:\\svc.dll");
  }
  for (const bool services_first : {true, false}) {
    tables = EntryTables{};
    if (services_first) ScanRow('4');
    tables.current.Reset();
    ScanRow('s');
    EXPECT_EQ(Current(), Strings{"sStart3"});
  }
}

TEST_F(ServiceScannersTest, AnUnreadableServiceIsSkippedAndTheRestAreStillScanned) {
  const auto key = [](const char* name) { return std::string(kServices) + "\\" + name; };
  registry.SetString(kMachine, key("StartIsText"), "Start", "2");
  registry.SetString(kMachine, key("StartIsText"), "ImagePath", "a.exe");
  AddService("ImageIsNumber", 2, "");
  registry.SetInteger(kMachine, key("ImageIsNumber"), "ImagePath", 5);
  registry.SetString(kMachine, key("NoStart"), "ImagePath", "b.exe");
  AddService("Locked", 2, "c.exe");
  registry.RefuseReading(kMachine, key("Locked"));
  AddService("Good", 2, "d.exe");
  ScanRow('4');
  EXPECT_EQ(Current(), Strings{"4Good"});
}

TEST_F(ServiceScannersTest, ServicesKeyThatCannotBeReadGivesNothing) {
  AddService("Good", 2, "d.exe");
  registry.RefuseReading(kMachine, kServices);
  ScanRow('4');
  EXPECT_TRUE(Current().empty());
}

TEST_F(ServiceScannersTest, EveryBrowserHelperSubkeyIsRecordedAsSpelled) {
  registry.CreateKey(kMachine, std::string(kHelpers) + "\\{AAAA-1111}");
  registry.CreateKey(kMachine, std::string(kHelpers) + "\\{bbbb-2222}\\Sub");
  registry.SetString(kMachine, kHelpers, "NotAHelper", "x");
  ScanRow('8');
  EXPECT_EQ(Current(), (Strings{"8{AAAA-1111}", "8{bbbb-2222}"}));
}

TEST_F(ServiceScannersTest, MissingOrUnreadableHelperKeyGivesNothing) {
  ScanRow('8');
  registry.CreateKey(kMachine, std::string(kHelpers) + "\\{AAAA}");
  registry.RefuseReading(kMachine, kHelpers);
  ScanRow('8');
  EXPECT_TRUE(Current().empty());
}

}  // namespace
}  // namespace corvane
