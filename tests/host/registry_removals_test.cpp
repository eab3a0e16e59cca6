#include <gtest/gtest.h>

#include <functional>

#include "memory_platform_fixture.h"
#include "removal/registry_removals.h"

namespace corvane {
namespace {

const std::string kMachineRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "\\SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

class RegistryRemovalsTest : public MemoryPlatformTest {
 protected:
  bool UserRunHas(const std::string& name) const {
    return registry.GetValue(kUser, kUserRun, name).has_value();
  }
};

TEST_F(RegistryRemovalsTest, ARunValueIsFoundByItsKeyAndItsWholeName) {
  EXPECT_EQ(LocateRunValue("2" + kMachineRun + "\\a\\b").key_path, kMachineRun);
  EXPECT_EQ(LocateRunValue("2" + kMachineRun + "\\a\\b").value_name, "a\\b");
  EXPECT_EQ(LocateRunValue("1" + kMachineRun + "Once\\x").key_path, kMachineRun + "Once");
  EXPECT_EQ(LocateRunValue("2\\Other\\Key\\v").key_path, "\\Other\\Key\\");
  EXPECT_EQ(LocateRunValue("2\\Other\\Key\\v").value_name, "v");

  registry.SetString(kUser, kUserRun, "a\\b", "x.exe");
  registry.SetString(kUser, kUserRun, "b", "keep.exe");
  registry.SetString(kUser, kUserRun, "", "default.exe");
  EXPECT_EQ(RemoveRegistryStartup(registry, "2" + std::string(kUserRun) + "\\a\\b"),
            RemovalResult::kRemoved);
  EXPECT_EQ(RemoveRegistryStartup(registry, "2" + std::string(kUserRun) + "\\"),
            RemovalResult::kRemoved);
  EXPECT_FALSE(UserRunHas("a\\b"));
  EXPECT_FALSE(UserRunHas(""));
  EXPECT_TRUE(UserRunHas("b"));
}

// Every action: removed when the item goes, already gone when it was not
// there, refused when a fresh look still finds it.
TEST_F(RegistryRemovalsTest, EachActionReportsWhatAFreshLookFinds) {
  const auto run = [&] { return RemoveRegistryStartup(registry, "1" + kMachineRun + "\\Agent"); };
  const auto page = [&] { return RemoveIEStartPage(registry); };
  const auto helper = [&] { return RemoveIEBHO(registry, "{PEST}"); };
  const auto service = [&] { return RemoveServiceStartup(registry, "Pest"); };
  const struct {
    const char* name;
    std::function<void()> plant;
    std::string refusing_key;
    std::function<RemovalResult()> remove;
    std::function<bool()> still_there;
  } cases[] = {
      {"run value", [&] { registry.SetString(kMachine, kMachineRun, "Agent", "a.exe"); },
       kMachineRun, run, [&] { return registry.GetValue(kMachine, kMachineRun, "Agent").has_value(); }},
      {"start page", [&] { registry.SetString(kUser, kMain, "Start Page", "http://pest.invalid/"); },
       kMain, page, [&] { return registry.GetValue(kUser, kMain, "Start Page")->data != ""; }},
      {"browser helper",
       [&] {
         registry.SetString(kMachine, kHelpers + "\\{PEST}\\Sub\\Deeper", "v", "x");
         registry.CreateKey(kMachine, kHelpers + "\\{GOOD}");
       },
       kHelpers, helper, [&] { return registry.KeyExists(kMachine, kHelpers + "\\{PEST}"); }},
      {"service",
       [&] {
         registry.SetInteger(kMachine, kServices + "\\Pest", "Start", 2);
         registry.SetString(kMachine, kServices + "\\Pest", "ImagePath", "p.exe");
       },
       kServices + "\\Pest", service,
       [&] { return registry.GetValue(kMachine, kServices + "\\Pest", "start")->number != 4; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.remove(), RemovalResult::kAlreadyGone);
    c.plant();
    EXPECT_EQ(c.remove(), RemovalResult::kRemoved);
    EXPECT_FALSE(c.still_there());
    c.plant();
    registry.RefuseWriting(c.refusing_key == kMain ? kUser : kMachine, c.refusing_key);
    EXPECT_EQ(c.remove(), RemovalResult::kRefused);
    EXPECT_TRUE(c.still_there());
  }
  // What the actions leave of their places.
  EXPECT_TRUE(registry.KeyExists(kMachine, kHelpers + "\\{GOOD}"));
  EXPECT_EQ(registry.GetValue(kMachine, kServices + "\\Pest", "ImagePath")->data, "p.exe");
}

}  // namespace
}  // namespace corvane
