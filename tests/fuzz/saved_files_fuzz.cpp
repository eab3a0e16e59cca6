// The backups and the saved baseline as a hostile program may leave them in
// the data folder. A record is acted on only when it bears this user's seal,
// and putting it back on an empty machine writes nothing outside its own
// entry's row; a baseline is taken only when it bears the seal and reads
// back as it was written. Any damage is an InOutError or "not accepted".
#include <algorithm>

#include "changes/saved_baseline.h"
#include "fuzz_support.h"
#include "monitor/kind_scan.h"
#include "monitor/located_entry.h"
#include "platform/case_fold.h"
#include "platform/errors.h"
#include "platform/memory/memory_environment.h"
#include "platform/memory/memory_library.h"
#include "platform/memory/memory_program_facts.h"
#include "platform/memory/memory_registry.h"
#include "removal/put_back.h"

namespace corvane {
namespace {

constexpr char kData[] = "C:\\Data";

bool Below(const std::string& path, const std::string& place) {
  return FoldCase(path) == FoldCase(place) || FoldCase(path).rfind(FoldCase(place) + '\\', 0) == 0;
}

// Every key that holds a value, from the root.
void KeysWithValues(RegistryAccessor& accessor, const std::string& path,
                    std::vector<std::string>& found) {
  if (!accessor.OpenKey(path, false, KeyAccess::kRead)) return;
  if (!accessor.ValueNames().empty()) found.push_back(path);
  for (const auto& subkey : accessor.SubkeyNames()) {
    KeysWithValues(accessor, path + '\\' + subkey, found);
  }
}

void CheckPutBack(const Environment& environment, MemoryFileSystem& files, const BackupStore& store,
                  const Backup& backup) {
  const auto item = Locate(backup.header.entry);
  fuzz::Require(item.has_value(), "an accepted record names an entry of a row");
  MemoryRegistry registry;
  MemoryLibrary tasks;
  MemoryLibrary subscriptions;
  MemoryProgramFacts programs;
  Platform platform{registry,     const_cast<Environment&>(environment), files, tasks, programs,
                    subscriptions};
  PutBackRemoval(platform, store, backup.body);

  std::vector<std::string> places;
  for (const auto& place : item->kind->keys) {
    for (const auto& view : ViewsOf(place)) places.push_back(view);
  }
  if (const auto command = CommandValueOf(*item)) places.push_back(command->key_path);
  for (const auto root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser}) {
    const auto accessor = registry.CreateAccessor();
    accessor->SetRoot(root);
    std::vector<std::string> written;
    KeysWithValues(*accessor, "", written);
    for (const auto& key : written) {
      fuzz::Require(std::any_of(places.begin(), places.end(),
                                [&key](const std::string& place) { return Below(key, place); }),
                    "a put-back writes only below its row's keys");
    }
  }
  for (const auto& path : files.AllFiles()) {
    if (Below(path, kData)) continue;  // the record and what it keeps
    const bool ini = !item->kind->ini_lines.empty() &&
                     FoldCase(path) == FoldCase("C:\\WINDOWS\\" +
                                                std::string(item->kind->ini_lines.front().file));
    fuzz::Require(ini || IsFileOfRow(*item->kind, environment, path),
                  "a put-back writes only its row's files");
  }
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using namespace corvane;
  FuzzedDataProvider data(bytes, size);
  const bool sealed = data.ConsumeBool();
  const auto text = data.ConsumeRemainingBytesAsString();
  const RecordSeal seal("the user's key");
  const auto planted = sealed ? seal.Seal(text) : text;

  MemoryEnvironment environment;
  environment.Set("windir", "C:\\WINDOWS");
  environment.Set("USERPROFILE", "C:\\Users\\U");
  MemoryFileSystem files;
  const std::string data_folder = std::string(kData) + '\\';
  files.AddFile(data_folder + "Backups\\r.txt", planted);
  files.AddFile(data_folder + "Removed\\kept.lnk", "kept");
  const BackupStore store(files, environment, data_folder, seal);
  if (const auto backup = store.Read("r.txt")) {
    fuzz::Require(sealed, "a record without this user's seal is never accepted");
    CheckPutBack(environment, files, store, *backup);
  }

  const std::string path = data_folder + "baseline";
  files.AddFile(path, planted);
  BaselineFile baseline(files, path, seal);
  try {
    if (const auto saved = baseline.Load()) {
      fuzz::Require(sealed, "a baseline without this user's seal is never taken");
      EntryTables tables;
      tables.baseline.CopyFrom(saved->entries);
      tables.baseline_commands = saved->commands;
      const auto again = ParseSavedBaseline(FormatSavedBaseline(saved->switches, tables));
      fuzz::Require(
          again.entries.Entries() == saved->entries.Entries() && again.switches == saved->switches,
          "a taken baseline reads back as it was written");
    }
  } catch (const InOutError&) {
  }
  return 0;
}
