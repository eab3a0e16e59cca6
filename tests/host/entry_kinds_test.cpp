// Every row of the table of places, walked by the same steps: an entry
// planted where the row says is found by the scan, its place is watched,
// declining it keeps a backup and removes it, and putting it back restores
// the place byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "change_handling_fixture.h"
#include "changes/inventory.h"
#include "changes/poll_cycle.h"
#include "changes/removed_entries_store.h"
#include "monitor/places_to_watch.h"
#include "monitor/snapshot_scan.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"
#include "platform/event_subscription.h"
#include "removal/registry_places.h"

namespace corvane {
namespace {

class EntryKindsTest : public ChangeHandlingTest {
 protected:
  void SetUp() override {
    environment.Set("windir", "C:\\WINDOWS");
    environment.Set("USERPROFILE", "C:\\Users\\Жанна");
    files.AddDirectory("C:\\Users\\Жанна");
    environment.SetShellFolder(ShellFolder::kDocuments, "C:\\Users\\Жанна\\Документы");
    TakeSnapshotScan(platform, switches, tables);
  }

  // Plants one item at the row's first place; returns the entry the scan
  // makes of it, and where to look at the place whole.
  std::string Plant(const EntryKind& kind, std::function<std::string()>& place) {
    const std::string program = "C:\\Пуск\\pest.exe";
    if (kind.keys.empty()) return PlantOutsideRegistry(kind, program, place);
    const auto& key = kind.keys.front();
    const auto root = RootOfCode(key.root_code);
    watched_ = key.key;
    place = [this, root, path = key.key] {
      const auto tree = ReadKeyTree(registry, root, path);
      std::string text;
      for (const auto& kept : tree.value_or(std::vector<KeptKey>{})) {
        text += '[' + kept.path + ']';
        for (const auto& [name, value] : kept.values) {
          text += name + '=' + std::to_string(value.type) + ':' + value.bytes + ';';
        }
      }
      return text;
    };
    switch (kind.reads) {
      case Reads::kValueNames:
        if (!kind.asked_when_new) {  // Task Manager's switch, turned back on
          registry.SetBinary(root, key.key, "Pest", std::string("\3\0\0\0", 4));
          TakeBaselineInventory(platform, switches, tables);
          registry.SetBinary(root, key.key, "Pest", std::string("\2\0\0\0", 4));
        } else {
          registry.SetExpandString(root, key.key, "Pest", program);
        }
        return MakeRunValueEntry(kind.type_code, key.key, "Pest");
      case Reads::kNamedValues:
        registry.SetString(root, key.key, key.values.front().name, program);
        return MakeValueWithDataEntry(kind.type_code, key.root_code, key.key,
                                      key.values.front().name, program);
      case Reads::kMultiStringItems: {
        const auto accessor = registry.CreateAccessor();
        accessor->SetRoot(root);
        accessor->OpenKey(key.key, true, KeyAccess::kReadWrite);
        accessor->WriteRawValue(key.values.front().name, RawMultiStringValue({program}));
      }
        return MakeValueWithDataEntry(kind.type_code, key.root_code, key.key,
                                      key.values.front().name, program);
      case Reads::kNamedCommands:
        registry.SetString(root, key.key, key.values.front().name, program);
        return MakeNamedValueEntry(kind.type_code, key.root_code, key.key, key.values.front().name);
      case Reads::kSubkeyValueNames:
        registry.SetString(root, key.key + "\\0001", "Pest", program);
        return MakeNamedValueEntry(kind.type_code, key.root_code, key.key + "\\0001", "Pest");
      case Reads::kSubkeyValues:
        registry.SetString(root, key.key + "\\sethc.exe", key.values.front().name, program);
        return MakeValueWithDataEntry(kind.type_code, key.root_code, key.key + "\\sethc.exe",
                                      key.values.front().name, program);
      default: {
        const std::string name = kind.only_subkeys.empty() ? "Pest" : kind.only_subkeys.front();
        const auto subkey = key.key + '\\' + name;
        if (kind.counted_when != nullptr) {
          registry.SetInteger(root, subkey, kind.counted_when,
                              kind.counted_unless ? kind.counted_number - 1 : kind.counted_number);
        }
        // A row narrowed to some of its host row's subkeys: one the host had.
        if (const auto* host = kind.narrowed_by ? KindOf(kind.narrowed_by) : nullptr) {
          registry.SetExpandString(root, subkey + host->command_key, host->command_value,
                                   std::string("C:\\") + kind.narrowed_to + ".exe");
          TakeBaselineInventory(platform, switches, tables);
        }
        registry.SetExpandString(root, subkey + kind.command_key,
                                 kind.command_value ? kind.command_value : "", program);
        registry.SetBinary(root, subkey + "\\Sub", "b", std::string("\0\xFF", 2));
        return MakeEntry(kind.type_code, name);
      }
    }
  }

  std::string PlantOutsideRegistry(const EntryKind& kind, const std::string& program,
                                   std::function<std::string()>& place) {
    std::string path;
    std::string entry;
    if (kind.reads == Reads::kLibrary) {
      const bool task = kind.library == Library::kTasks;
      const auto subscription = CommandSubscription("Пуск", "Вход", program);
      const auto name = task ? "\\Пуск" : SubscriptionName(subscription);
      auto& library = task ? tasks : subscriptions;
      library.Add(name, task ? "<Task><Exec><Command>" + program + "</Command></Exec></Task>"
                             : FormatSubscription(subscription));
      place = [&library, name] { return library.Definition(name).value_or("-"); };
      // Subscriptions tell of no change: the tick finds them.
      watched_ = task ? kTaskStore : "";
      return MakeEntry(kind.type_code, name);
    }
    if (kind.reads == Reads::kFolderFiles) {
      watched_ = FolderPaths(kind, environment).front();
      files.AddDirectory(watched_);
      const std::string mask = kind.folders.front().mask;
      path = watched_ + '\\' +
             (mask == "*.*"    ? "Ж中.lnk"
              : mask[0] == '*' ? "Ж中" + mask.substr(1)
                               : mask);
      files.AddFile(path, std::string("L\0nk", 4));
      entry = MakeEntry(kind.type_code, path);
    } else {
      const auto& line = kind.ini_lines.back();
      watched_ = "C:\\WINDOWS";
      path = watched_ + '\\' + line.file;
      // INI files are in the ANSI code page.
      files.AddFile(path, std::string("[x]\r\n") + line.key + "pest.exe\r\nx=1\n\x1A");
      entry = MakeEntry(kind.type_code, std::string(line.key) + "pest.exe");
    }
    place = [this, path] { return files.FileExists(path) ? files.Content(path) : "-"; };
    return entry;
  }

  // The rows that a change at the place planted last has rescanned: those
  // of every watched place that takes its changes.
  RowSelection RowsWatching() const {
    const auto places = PlacesToWatch(environment, kTaskStore);
    const auto planted = FoldCase(watched_);
    RowSelection rows;
    const auto add = [&](const auto& place) {
      const auto path = FoldCase(place.path);
      if (planted == path || (place.subtree && planted.rfind(path + '\\', 0) == 0)) {
        rows.Add(RowSelection::Only(place.rows));
      }
    };
    for (const auto& key : places.keys) add(key);
    for (const auto& folder : places.folders) add(folder);
    return rows;
  }

  static constexpr char kTaskStore[] = "C:\\WINDOWS\\system32\\Tasks";
  std::string watched_;
  RemovedEntriesStore removed{platform, data, tables, clock};
};

TEST_F(EntryKindsTest, EveryRowIsScannedWatchedDeclinedAndPutBackExactly) {
  for (const auto& kind : EntryKinds()) {
    SCOPED_TRACE(std::string(1, kind.type_code) + " " + kind.type_text);
    std::function<std::string()> place;
    const auto entry = Plant(kind, place);
    const auto planted = place();
    FillCurrentTable(platform, switches, tables);
    EXPECT_TRUE(tables.current.Contains(entry)) << entry;
    const auto rows = watched_.empty() ? RowSelection::Every() : RowsWatching();
    EXPECT_TRUE(rows.Has(kind.type_code));

    Answer(ModalResult::kNo);
    RunPollCycle(context, rows);
    EXPECT_NE(place(), planted);
    const auto listed = removed.List();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(removed.PutBack(listed.front().id), PutBackOutcome::kPutBack);
    EXPECT_EQ(place(), planted);
    EXPECT_TRUE(tables.baseline.Contains(entry));
  }
}

}  // namespace
}  // namespace corvane
