#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "change_handling_fixture.h"
#include "changes/poll_cycle.h"
#include "changes/removed_entries_store.h"
#include "monitor/snapshot_scan.h"
#include "platform/errors.h"
#include "platform/memory/memory_user_secrets.h"
#include "removal/revert_change.h"

namespace corvane {
namespace {

const std::string kNt = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kPest = "\\SYSTEM\\CurrentControlSet\\Services\\Pest";
const std::string kHelpers =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const std::string kDebugged = kNt + "\\Image File Execution Options\\sethc.exe";
const std::string kStartupFile = "C:\\Users\\Жанна\\Start Menu\\Programs\\startup\\Ж中.lnk";
const std::string kWinIni = "C:\\WINDOWS\\win.ini";
const std::string kTask = "\\Updates\\Пуск";

// One kind of entry: how it is planted, how something else takes its place
// after its removal, the place itself, byte for byte, and how this account
// is kept from writing there.
struct Kind {
  const char* name;
  std::function<void()> plant;
  std::function<void()> occupy;
  std::function<std::string()> place;
  std::function<void()> refuse;
};

class BackupsTest : public ChangeHandlingTest {
 protected:
  void SetUp() override {
    environment.Set("windir", "C:\\WINDOWS");
    environment.Set("USERPROFILE", "C:\\Users\\Жанна");
    TakeSnapshotScan(platform, switches, tables);
    EnableLog();
  }

  // The key with its values as stored and its subkeys, from the registry itself.
  std::string Dump(RegistryRoot root, const std::string& path) const {
    const auto accessor = const_cast<MemoryRegistry&>(registry).CreateAccessor();
    accessor->SetRoot(root);
    if (!accessor->OpenKey(path, false, KeyAccess::kRead)) return "-";
    std::string text = "[";
    for (const auto& name : accessor->ValueNames()) {
      const auto value = accessor->ReadRawValue(name);
      text += name + '=' + std::to_string(value->type) + ':' + value->bytes + ';';
    }
    for (const auto& subkey : accessor->SubkeyNames()) {
      text += subkey + Dump(root, path + '\\' + subkey);
    }
    return text + ']';
  }
  std::string File(const std::string& path) const {
    return files.FileExists(path) ? files.Content(path) : "-";
  }

  std::vector<Kind> Kinds() {
    const auto text = [this](RegistryRoot root, std::string key, std::string name,
                             std::string data) {
      return [=] { registry.SetString(root, key, name, data); };
    };
    const auto dump = [this](RegistryRoot root, std::string key) {
      return [=] { return Dump(root, key); };
    };
    const auto refuse = [this](RegistryRoot root, std::string key) {
      return [=] { registry.RefuseWriting(root, key); };
    };
    return {
        {"run value", [&] { registry.SetExpandString(kUser, kUserRun, "Tool", "%X%\\t.exe"); },
         text(kUser, kUserRun, "Tool", "other.exe"), dump(kUser, kUserRun),
         refuse(kUser, kUserRun)},
        {"startup file",
         [&] {
           files.AddFile(kStartupFile, std::string("L\0nk", 4));
           files.AddFile(ProgramFile("Removed\\Ж中.lnk"), "an older one of that name");
         },
         [&] { files.AddFile(kStartupFile, "other"); }, [&] { return File(kStartupFile); },
         [&] {
           files.SetFailure("C:\\Users\\Жанна\\Start Menu\\Programs\\startup",
                            MemoryFileSystem::Failure::kCannotWrite);
         }},
        {"service",
         [&] {
           registry.SetInteger(kMachine, kPest, "Start", 2);
           registry.SetString(kMachine, kPest, "ImagePath", "p.exe");
         },
         [&] { registry.SetInteger(kMachine, kPest, "Start", 3); }, dump(kMachine, kPest),
         refuse(kMachine, kPest)},
        {"win.ini line",
         [&] { files.AddFile(kWinIni, "[windows]\r\nrun=pest.exe\r\nx=1\n\x1Arun=pest.exe"); },
         [&] { files.AddFile(kWinIni, "[windows]\r\nrun=other.exe\r\nx=1\n\x1Arun=pest.exe"); },
         [&] { return File(kWinIni); },
         [&] { files.AddFile(kWinIni, files.Content(kWinIni), MemoryFileSystem::kReadOnly); }},
        {"start page", text(kUser, kMain, "Start Page", "http://pest.invalid/"),
         text(kUser, kMain, "Start Page", "http://other.invalid/"), dump(kUser, kMain),
         refuse(kUser, kMain)},
        {"browser helper",
         [&] {
           registry.SetString(kMachine, kHelpers + "\\{PEST}", "", "Pest");
           registry.SetBinary(kMachine, kHelpers + "\\{PEST}\\Sub\\Deeper", "b",
                              std::string("\0\1\xFF", 3));
           registry.SetInteger(kMachine, kHelpers + "\\{PEST}\\Sub", "n", 7);
         },
         [&] { registry.CreateKey(kMachine, kHelpers + "\\{PEST}"); }, dump(kMachine, kHelpers),
         refuse(kMachine, kHelpers)},
        {"machine userinit", text(kMachine, kNt + "\\Winlogon", "Userinit", "C:\\evil.exe,"),
         text(kMachine, kNt + "\\Winlogon", "Userinit", "C:\\other.exe,"),
         dump(kMachine, kNt + "\\Winlogon"), refuse(kMachine, kNt + "\\Winlogon")},
        {"user shell", text(kUser, kNt + "\\Winlogon", "Shell", "evil.exe"),
         text(kUser, kNt + "\\Winlogon", "Shell", "other.exe"), dump(kUser, kNt + "\\Winlogon"),
         refuse(kUser, kNt + "\\Winlogon")},
        {"debugger", text(kMachine, kDebugged, "Debugger", "cmd.exe"),
         text(kMachine, kDebugged, "Debugger", "other.exe"), dump(kMachine, kDebugged),
         refuse(kMachine, kDebugged)},
        {"appinit", text(kMachine, kNt + "\\Windows", "AppInit_DLLs", "e.dll"),
         text(kMachine, kNt + "\\Windows", "AppInit_DLLs", "o.dll"),
         dump(kMachine, kNt + "\\Windows"), refuse(kMachine, kNt + "\\Windows")},
        {"scheduled task", [&] { tasks.Add(kTask, "<Task>pest</Task>"); },
         [&] { tasks.Add(kTask, "<Task>other</Task>"); },
         [&] { return tasks.Definition(kTask).value_or("-"); },
         [&] { tasks.RefuseDeleting(kTask); }},
    };
  }

  // Plants the entry and declines it in a cycle.
  void PlantAndDecline(const Kind& kind) {
    kind.plant();
    Answer(ModalResult::kNo);
    RunPollCycle(context);
  }

  RemovedEntriesStore removed{platform, data, tables, clock};
};

TEST_F(BackupsTest, EveryKindDeclinedIsPutBackByteForByteAndNotAskedAgain) {
  for (const auto& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    files.AddFile(ProgramFile("corvane.log"));
    kind.plant();
    const auto before = kind.place();
    Answer(ModalResult::kNo);
    RunPollCycle(context);
    ASSERT_NE(kind.place(), before);
    const auto list = removed.List();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].date, "08/12/2026 06:45:10");
    // The name is the item's own: its value, subkey, file or task, or an INI line's value.
    EXPECT_FALSE(list[0].name.empty());
    EXPECT_EQ(list[0].name.find('\\'), std::string::npos) << list[0].name;
    EXPECT_NE((list[0].location + list[0].command).find(list[0].name), std::string::npos)
        << list[0].location << " / " << list[0].name;

    EXPECT_EQ(removed.PutBack(list[0].id), PutBackOutcome::kPutBack);
    EXPECT_EQ(kind.place(), before);
    EXPECT_TRUE(removed.List().empty());
    // The log names it as its removal did.
    const auto deleted = Log().substr(0, Log().find(" [User Invoked]"));
    EXPECT_EQ(Log().substr(Log().find("\r\n") + 2),
              kStamp + ("Put back " + deleted.substr(deleted.find("Deleted ") + 8)) + "\r\n");
    RunPollCycle(context);  // the alert would fail the test
  }
  EXPECT_EQ(files.Content(ProgramFile("Removed\\Ж中.lnk")), "an older one of that name");
}

TEST_F(BackupsTest, APlaceThatHoldsSomethingElseIsNotPutBack) {
  for (const auto& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    PlantAndDecline(kind);
    kind.occupy();
    const auto occupied = kind.place();
    const auto id = removed.List().at(0).id;
    EXPECT_EQ(removed.PutBack(id), PutBackOutcome::kPlaceTaken);
    EXPECT_EQ(kind.place(), occupied);
    removed.Forget(id);
    EXPECT_TRUE(removed.List().empty());
    TakeSnapshotScan(platform, switches, tables);  // the user keeps what took the place
  }
  EXPECT_EQ(files.FindFiles(ProgramFile("Removed\\*.*")),
            std::vector<std::string>{"Ж中.lnk"});  // the one kept before the test
}

TEST_F(BackupsTest, APlaceThatMayNotBeWrittenIsLeftAsItIsAndTheBackupKept) {
  for (const auto& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    PlantAndDecline(kind);
    const auto left = kind.place();
    kind.refuse();
    EXPECT_EQ(removed.PutBack(removed.List().at(0).id), PutBackOutcome::kAccessDenied);
    EXPECT_EQ(kind.place(), left);
    removed.Forget(removed.List().at(0).id);
  }
}

TEST_F(BackupsTest, NothingIsRemovedWhoseBackupCannotBeWritten) {
  files.AddDirectory(ProgramFile("Backups"));
  files.SetFailure(ProgramFile("Backups"), MemoryFileSystem::Failure::kCannotWrite);
  for (const auto& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    files.AddFile(ProgramFile("corvane.log"));
    kind.plant();
    const auto before = kind.place();
    Answer(ModalResult::kNo);
    RunPollCycle(context);
    EXPECT_EQ(kind.place(), before);
    EXPECT_EQ(Log().find("Could not delete "), std::string(kStamp).size());
    const std::string why = "Corvane could not keep a backup in " + ProgramFile("Backups");
    EXPECT_NE(Log().find(": " + why), std::string::npos);
    EXPECT_NE(context.not_removed.at(0).find(" could not be removed: " + why), std::string::npos);
    EXPECT_EQ(context.flags.failure, 1);
  }
  EXPECT_TRUE(removed.List().empty());
}

TEST_F(BackupsTest, ADeclinedChangeGetsItsOldCommandBackAndTheNewOneCanBePutBack) {
  const auto run = "2" + std::string(kUserRun) + "\\Tool";
  const struct {
    const char* name;
    std::string entry;
    std::function<void(const std::string&)> set;  // the command as the entry holds it
    std::function<std::string()> place;
    StartedCommand old;
  } cases[] = {
      {"run value",
       run,
       [&](const std::string& data) { registry.SetExpandString(kUser, kUserRun, "Tool", data); },
       [&] { return Dump(kUser, kUserRun); },
       {"old.exe", RawStringValue(2, "old.exe"), ""}},
      {"service",
       "4Pest",
       [&](const std::string& data) { registry.SetString(kMachine, kPest, "ImagePath", data); },
       [&] { return Dump(kMachine, kPest); },
       {"old.exe", RawStringValue(1, "old.exe"), ""}},
      {"shortcut",
       "3" + kStartupFile,
       [&](const std::string& data) { files.AddFile(kStartupFile, data); },
       [&] { return File(kStartupFile); },
       {"old.exe", {}, "old.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.set("old.exe");
    const auto old_place = c.place();
    c.set("new.exe");
    const auto new_place = c.place();
    BackupStore store(files, environment, data.folder, {});
    StoreKeeper keeper(store, {"", "", "", "", "", c.entry, ""});
    EXPECT_EQ(RevertChange(platform, keeper, c.entry, c.old, ""), RemovalResult::kRemoved);
    EXPECT_EQ(c.place(), old_place);
    EXPECT_EQ(RevertChange(platform, keeper, c.entry, c.old, ""), RemovalResult::kAlreadyGone);

    EXPECT_EQ(removed.PutBack(removed.List().at(0).id), PutBackOutcome::kPutBack);
    EXPECT_EQ(c.place(), new_place);
    EXPECT_TRUE(removed.List().empty());
  }
}

// Only a record that Corvane sealed for this user, and that writes nothing
// but its own entry's place, is acted on; any other is listed as damaged,
// so that it can be forgotten, and never put back.
TEST_F(BackupsTest, ARecordIsActedOnOnlyWhenSealedAndInsideItsEntrysPlace) {
  PlantAndDecline(Kinds().front());
  const auto genuine_id = removed.List().at(0).id;
  const auto genuine = RecordSeal().Open(files.Content(ProgramFile("Backups\\" + genuine_id))).text;
  const auto sealed = [](const std::string& entry, const BackupBody& body) {
    return RecordSeal().Seal(
        FormatBackup({{"d", "s", "Registry Startup", "", "", entry, ""}, body}));
  };
  const std::string run = "2" + std::string(kUserRun) + "\\Tool";
  const std::string outside =
      "C:\\Users\\Жанна\\Start Menu\\Programs\\startup\\..\\..\\..\\..\\WINDOWS\\system32\\e.dll";
  const auto kept = CommandSubscription("Kept", "Logon", "C:\\kept.exe");
  const auto evil = CommandSubscription("Evil", "Logon", "C:\\evil.exe");
  const std::map<std::string, std::string> planted = {
      {"stray", "not a record"},
      {"cut", genuine.substr(0, 60)},
      {"unsealed", genuine},
      {"other key", RecordSeal("another key").Seal(genuine)},
      {"elsewhere",
       sealed(run, ValueBackup{kMachine, kDebugged, "Debugger", RawStringValue(1, "e.exe"), {}})},
      {"no key of its row",
       sealed("2\\Software\\Evil\\Tool",
              ValueBackup{kUser, "\\Software\\Evil", "Tool", RawStringValue(1, "e.exe"), {}})},
      {"walks out", sealed("3" + outside, MovedFileBackup{outside, "Ж中.lnk"})},
      {"overwrites", sealed("3" + kWinIni, FileBytesBackup{kWinIni, "evil", ""})},
      {"task", sealed("T\\..\\Evil", LibraryBackup{Library::kTasks, "\\..\\Evil", "<Task/>"})},
      {"another subscription",
       sealed("w" + SubscriptionName(kept),
              LibraryBackup{Library::kEventSubscriptions, SubscriptionName(kept),
                            FormatSubscription(evil)})},
  };
  for (const auto& [name, text] : planted)
    files.AddFile(ProgramFile("Backups\\" + name + ".txt"), text);

  for (const auto& entry : removed.List()) {
    if (entry.id == genuine_id) continue;
    SCOPED_TRACE(entry.id);
    EXPECT_TRUE(entry.damaged);
    EXPECT_EQ(entry.type_text, "damaged");
    EXPECT_EQ(removed.PutBack(entry.id), PutBackOutcome::kDamaged);
    removed.Forget(entry.id);
  }
  EXPECT_EQ(Dump(kMachine, kDebugged), "-");
  EXPECT_EQ(File(kWinIni), "-");
  EXPECT_FALSE(tasks.Has("\\..\\Evil").value_or(true));
  EXPECT_TRUE(subscriptions.Names()->empty());
  EXPECT_EQ(removed.List().size(), 1u);
  EXPECT_EQ(removed.PutBack(genuine_id), PutBackOutcome::kPutBack);
}

// At the first start of this version (no key yet), the sound records and
// baseline that the earlier version wrote without a seal are sealed; after
// that, and with a key that is not this user's, nothing unsealed counts.
TEST_F(BackupsTest, FilesOfTheEarlierVersionAreTakenOnceAtTheFirstStart) {
  PlantAndDecline(Kinds().front());
  const auto id = removed.List().at(0).id;
  const auto record = ProgramFile("Backups\\" + id);
  const auto unsealed = RecordSeal().Open(files.Content(record)).text;
  files.AddFile(record, unsealed);
  files.AddFile(ProgramFile("Backups\\bad.txt"), unsealed.substr(0, 60));
  files.AddFile(data.SavedBaseline(), FormatSavedBaseline("111111", tables));

  const auto damaged = [this] {
    std::map<std::string, bool> listed;
    for (const auto& entry : RemovedEntriesStore(platform, data, tables, clock).List()) {
      listed[entry.id] = entry.damaged;
    }
    return listed;
  };
  MemoryUserSecrets secrets;
  OpenDataFolder(files, environment, secrets, data);
  EXPECT_EQ(damaged(), (std::map<std::string, bool>{{id, false}, {"bad.txt", true}}));
  EXPECT_TRUE(BaselineFile(files, data.SavedBaseline(), data.seal).Load());

  files.AddFile(ProgramFile("Backups\\later.txt"), unsealed);
  OpenDataFolder(files, environment, secrets, data);
  EXPECT_TRUE(damaged().at("later.txt"));
  EXPECT_FALSE(damaged().at(id));

  files.AddFile(data.SealKey(), "not protected for this user");
  OpenDataFolder(files, environment, secrets, data);
  EXPECT_TRUE(damaged().at(id));
  EXPECT_THROW(BaselineFile(files, data.SavedBaseline(), data.seal).Load(), InOutError);
}

}  // namespace
}  // namespace corvane
