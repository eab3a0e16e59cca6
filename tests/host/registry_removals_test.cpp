#include "removal/entry_removal.h"

#include <gtest/gtest.h>

#include <functional>

#include "memory_platform_fixture.h"
#include "monitor/located_entry.h"
#include "removal/put_back.h"
#include "removal/registry_places.h"

namespace corvane {
namespace {

const std::string kMachineRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "\\SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const std::string kWow = "\\Software\\WOW6432Node\\Microsoft";
const std::string kNt = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kWowNt = kWow + "\\Windows NT\\CurrentVersion";
const std::string kWowRun = kWow + "\\Windows\\CurrentVersion\\Run";
const std::string kWowHelpers =
    kWow + "\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const std::string kDebugged = kNt + "\\Image File Execution Options\\notepad.exe";

class RegistryRemovalsTest : public MemoryPlatformTest {
 protected:
  BackupStore store{files, environment, "C:\\Data\\", {}};
  StoreKeeper keeper{store, {}};
  bool UserRunHas(const std::string& name) const {
    return registry.GetValue(kUser, kUserRun, name).has_value();
  }
};

TEST_F(RegistryRemovalsTest, ARunValueIsFoundByItsKeyAndItsWholeName) {
  EXPECT_EQ(Locate("2" + kMachineRun + "\\a\\b")->key_path, kMachineRun);
  EXPECT_EQ(Locate("2" + kMachineRun + "\\a\\b")->name, "a\\b");
  EXPECT_EQ(Locate("1" + kMachineRun + "Once\\x")->key_path, kMachineRun + "Once");
  EXPECT_EQ(Locate("2\\Other\\Key\\v")->key_path, "\\Other\\Key");
  EXPECT_EQ(Locate("2\\Other\\Key\\v")->name, "v");

  registry.SetString(kUser, kUserRun, "a\\b", "x.exe");
  registry.SetString(kUser, kUserRun, "b", "keep.exe");
  registry.SetString(kUser, kUserRun, "", "default.exe");
  EXPECT_EQ(RemoveEntry(platform, keeper, "2" + std::string(kUserRun) + "\\a\\b"),
            RemovalResult::kRemoved);
  EXPECT_EQ(RemoveEntry(platform, keeper, "2" + std::string(kUserRun) + "\\"),
            RemovalResult::kRemoved);
  EXPECT_FALSE(UserRunHas("a\\b"));
  EXPECT_FALSE(UserRunHas(""));
  EXPECT_TRUE(UserRunHas("b"));
}

// Every action: removed when the item goes, already gone when it was not
// there, refused when a fresh look still finds it.
TEST_F(RegistryRemovalsTest, EachActionReportsWhatAFreshLookFinds) {
  const auto run = [&] { return RemoveEntry(platform, keeper, "1" + kMachineRun + "\\Agent"); };
  const auto page = [&] { return RemoveEntry(platform, keeper, "72" + kMain + "\\Start Page\\http://pest.invalid/"); };
  const auto helper = [&] { return RemoveEntry(platform, keeper, "8{PEST}"); };
  const auto service = [&] { return RemoveEntry(platform, keeper, "4Pest"); };
  const auto value_with_data = [&](const std::string& entry) {
    return [this, entry] { return RemoveEntry(platform, keeper, entry); };
  };
  const auto holds = [&](RegistryRoot root, const std::string& key, const char* name,
                         const std::string& data) {
    return [this, root, key, name, data] {
      const auto value = registry.GetValue(root, key, name);
      return value && value->data == data;
    };
  };
  const auto refuse = [&](RegistryRoot root, const std::string& key) {
    return [this, root, key] { registry.RefuseWriting(root, key); };
  };
  environment.Set("windir", "C:\\Windows");
  const struct {
    const char* name;
    std::function<void()> plant;
    std::function<void()> refuse;
    std::function<RemovalResult()> remove;
    std::function<bool()> still_there;
  } cases[] = {
      {"run value", [&] { registry.SetString(kMachine, kMachineRun, "Agent", "a.exe"); },
       refuse(kMachine, kMachineRun), run,
       [&] { return registry.GetValue(kMachine, kMachineRun, "Agent").has_value(); }},
      {"start page",
       [&] { registry.SetString(kUser, kMain, "Start Page", "http://pest.invalid/"); },
       refuse(kUser, kMain), page,
       [&] { return registry.GetValue(kUser, kMain, "Start Page")->data != ""; }},
      {"browser helper",
       [&] {
         registry.SetString(kMachine, kHelpers + "\\{PEST}\\Sub\\Deeper", "v", "x");
         registry.CreateKey(kMachine, kHelpers + "\\{GOOD}");
       },
       refuse(kMachine, kHelpers), helper,
       [&] { return registry.KeyExists(kMachine, kHelpers + "\\{PEST}"); }},
      {"service",
       [&] {
         registry.SetInteger(kMachine, kServices + "\\Pest", "Start", 2);
         registry.SetString(kMachine, kServices + "\\Pest", "ImagePath", "p.exe");
       },
       refuse(kMachine, kServices + "\\Pest"), service,
       [&] { return registry.GetValue(kMachine, kServices + "\\Pest", "start")->number != 4; }},
      // The 32-bit view's entries are removed there, and only there.
      {"run value of the 32-bit view",
       [&] {
         registry.SetString(kMachine, kWowRun, "Agent", "a.exe");
         registry.SetString(kMachine, kMachineRun, "Agent", "kept.exe");
       },
       refuse(kMachine, kWowRun),
       [&] { return RemoveEntry(platform, keeper, "1" + kWowRun + "\\Agent"); },
       [&] { return registry.GetValue(kMachine, kWowRun, "Agent").has_value(); }},
      {"browser helper of the 32-bit view",
       [&] { registry.CreateKey(kMachine, kWowHelpers + "\\{PEST}"); },
       refuse(kMachine, kWowHelpers),
       [&] { return RemoveEntry(platform, keeper, "8" + kWowHelpers + "\\{PEST}"); },
       [&] { return registry.KeyExists(kMachine, kWowHelpers + "\\{PEST}"); }},
      // Windows cannot log on without the machine's values: the default comes back.
      {"machine shell",
       [&] { registry.SetString(kMachine, kNt + "\\Winlogon", "Shell", "evil.exe"); },
       refuse(kMachine, kNt + "\\Winlogon"),
       value_with_data("W1" + kNt + "\\Winlogon\\Shell\\evil.exe"),
       holds(kMachine, kNt + "\\Winlogon", "Shell", "evil.exe")},
      {"machine userinit of the 32-bit view",
       [&] { registry.SetString(kMachine, kWowNt + "\\Winlogon", "Userinit", "u.exe,evil.exe"); },
       refuse(kMachine, kWowNt + "\\Winlogon"),
       value_with_data("W1" + kWowNt + "\\Winlogon\\Userinit\\u.exe,evil.exe"),
       holds(kMachine, kWowNt + "\\Winlogon", "Userinit", "u.exe,evil.exe")},
      {"user shell", [&] { registry.SetString(kUser, kNt + "\\Winlogon", "Shell", "evil.exe"); },
       refuse(kUser, kNt + "\\Winlogon"),
       value_with_data("W2" + kNt + "\\Winlogon\\Shell\\evil.exe"),
       [&] { return registry.GetValue(kUser, kNt + "\\Winlogon", "Shell").has_value(); }},
      {"debugger", [&] { registry.SetString(kMachine, kDebugged, "Debugger", "C:\\e\\vil.exe"); },
       refuse(kMachine, kDebugged),
       value_with_data("D1" + kDebugged + "\\Debugger\\C:\\e\\vil.exe"),
       [&] { return registry.GetValue(kMachine, kDebugged, "Debugger").has_value(); }},
      {"appinit", [&] { registry.SetString(kMachine, kNt + "\\Windows", "AppInit_DLLs", "e.dll"); },
       refuse(kMachine, kNt + "\\Windows"),
       value_with_data("A1" + kNt + "\\Windows\\AppInit_DLLs\\e.dll"),
       holds(kMachine, kNt + "\\Windows", "AppInit_DLLs", "e.dll")},
      {"scheduled task", [&] { tasks.Add("\\Folder\\Pest"); },
       [&] { tasks.RefuseDeleting("\\Folder\\Pest"); },
       [&] { return RemoveEntry(platform, keeper, "T\\Folder\\Pest"); },
       [&] { return tasks.Has("\\folder\\pest") == std::optional<bool>(true); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.remove(), RemovalResult::kAlreadyGone);
    c.plant();
    EXPECT_EQ(c.remove(), RemovalResult::kRemoved);
    EXPECT_FALSE(c.still_there());
    c.plant();
    c.refuse();
    EXPECT_EQ(c.remove(), RemovalResult::kRefused);
    EXPECT_TRUE(c.still_there());
  }
  // One backup per removal; none of a removal that did not happen.
  EXPECT_EQ(store.List().size(), std::size(cases));
  // What the actions leave of their places.
  EXPECT_TRUE(registry.KeyExists(kMachine, kHelpers + "\\{GOOD}"));
  EXPECT_EQ(registry.GetValue(kMachine, kServices + "\\Pest", "ImagePath")->data, "p.exe");
  EXPECT_EQ(registry.GetValue(kMachine, kMachineRun, "Agent")->data, "kept.exe");
}

// A key nested deeper than Windows nests keys is no tree Windows made: it
// stays, rather than being walked until the stack runs out.
TEST_F(RegistryRemovalsTest, AHelperKeyDeeperThanWindowsNestsStays) {
  std::string deep = kHelpers + "\\{DEEP}";
  for (int level = 0; level < 600; ++level) deep += "\\k";
  registry.CreateKey(kMachine, deep);
  EXPECT_EQ(RemoveEntry(platform, keeper, "8{DEEP}"), RemovalResult::kRefused);
  EXPECT_TRUE(registry.KeyExists(kMachine, deep));
}

// Winlogon's machine values get Windows' own default back and are never
// left with one that cannot be known (no Windows directory), and
// only the declined text counts: a value that changed again is not touched.
TEST_F(RegistryRemovalsTest, WinlogonKeepsAWorkingDefaultAndOnlyTheDeclinedTextGoes) {
  const auto userinit = "W1" + kNt + "\\Winlogon\\Userinit\\evil.exe";
  registry.SetString(kMachine, kNt + "\\Winlogon", "Userinit", "evil.exe");
  EXPECT_EQ(RemoveEntry(platform, keeper, userinit), RemovalResult::kRefused);
  EXPECT_EQ(registry.GetValue(kMachine, kNt + "\\Winlogon", "Userinit")->data, "evil.exe");
  environment.Set("windir", "C:\\Windows");
  EXPECT_EQ(RemoveEntry(platform, keeper, userinit), RemovalResult::kRemoved);
  EXPECT_EQ(registry.GetValue(kMachine, kNt + "\\Winlogon", "Userinit")->data,
            "C:\\Windows\\system32\\userinit.exe,");
  registry.SetString(kMachine, kNt + "\\Winlogon", "Shell", "evil.exe");
  RemoveEntry(platform, keeper, "W1" + kNt + "\\Winlogon\\Shell\\evil.exe");
  EXPECT_EQ(registry.GetValue(kMachine, kNt + "\\Winlogon", "Shell")->data, "explorer.exe");
  registry.SetString(kMachine, kNt + "\\Windows", "AppInit_DLLs", "e.dll");
  RemoveEntry(platform, keeper, "A1" + kNt + "\\Windows\\AppInit_DLLs\\e.dll");
  EXPECT_EQ(registry.GetValue(kMachine, kNt + "\\Windows", "AppInit_DLLs")->data, "");

  registry.SetString(kMachine, kNt + "\\Winlogon", "Shell", "Explorer.EXE");
  EXPECT_EQ(
      RemoveEntry(platform, keeper, "W1" + kNt + "\\Winlogon\\Shell\\Explorer.EXE"),
      RemovalResult::kAlreadyGone);
  registry.SetString(kMachine, kDebugged, "Debugger", "other.exe");
  EXPECT_EQ(RemoveEntry(platform, keeper, "D1" + kDebugged + "\\Debugger\\x.exe"),
            RemovalResult::kAlreadyGone);
  EXPECT_EQ(registry.GetValue(kMachine, kDebugged, "Debugger")->data, "other.exe");
  EXPECT_EQ(Locate("D1" + kDebugged + "\\Debugger\\C:\\a\\Debugger\\b")->data,
            "C:\\a\\Debugger\\b");
  EXPECT_FALSE(Locate("W1\\Software\\Elsewhere\\Shell\\x"));
}

// One item of a multi-string goes, the others stay in their order; an item
// that is already gone, or only part of another, leaves the value alone.
TEST_F(RegistryRemovalsTest, AListItemIsCutOutAloneAndPutBackWhole) {
  const std::string lsa = "\\SYSTEM\\CurrentControlSet\\Control\\Lsa";
  const auto write = [&](const std::vector<std::string>& items) {
    auto key = OpenAt(registry, kMachine, lsa, KeyAccess::kReadWrite);
    key->WriteRawValue("Notification Packages", RawMultiStringValue(items));
  };
  const auto items = [&] {
    const auto raw = ReadRawAt(registry, kMachine, lsa, "Notification Packages");
    return raw ? ItemsOfRawValue(*raw) : std::vector<std::string>{"-"};
  };
  registry.CreateKey(kMachine, lsa);
  write({"scecli", "пест", "rassfm", "пест"});
  const auto entry = "P1" + lsa + "\\Notification Packages\\пест";
  BackupHeader header;
  header.entry = entry;
  StoreKeeper keeper{store, header};
  EXPECT_EQ(RemoveEntry(platform, keeper, entry), RemovalResult::kRemoved);
  EXPECT_EQ(items(), (std::vector<std::string>{"scecli", "rassfm"}));
  EXPECT_EQ(RemoveEntry(platform, keeper, entry), RemovalResult::kAlreadyGone);
  EXPECT_EQ(RemoveEntry(platform, keeper, "P1" + lsa + "\\Notification Packages\\sce"),
            RemovalResult::kAlreadyGone);
  const auto kept = store.Read(keeper.last_id());
  ASSERT_TRUE(kept);
  EXPECT_EQ(PutBackRemoval(platform, store, kept->body), RestoreResult::kRestored);
  EXPECT_EQ(items(), (std::vector<std::string>{"scecli", "пест", "rassfm", "пест"}));
}

}  // namespace
}  // namespace corvane
