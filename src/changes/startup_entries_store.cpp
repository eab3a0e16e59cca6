#include "changes/startup_entries_store.h"

#include "changes/inventory.h"
#include "changes/new_entry.h"
#include "changes/startup_export.h"
#include "monitor/approved_state.h"
#include "monitor/located_entry.h"
#include "monitor/startup_entry.h"
#include "removal/approved_switch.h"
#include "removal/backup_store.h"

namespace corvane {

namespace {

// Task Manager's rows: one for the machine's switches, one for the user's.
constexpr char kMachineSwitches = 'a';
constexpr char kUserSwitches = 'b';

}  // namespace

std::vector<StartupRow> StartupEntriesStore::List() {
  return ListStartupEntries(platform_, tables_, tables_.first_seen);
}

void StartupEntriesStore::AddProgramFacts(StartupRow& row) {
  corvane::AddProgramFacts(platform_, row);
}

bool StartupEntriesStore::SetEnabled(StartupRow& row, bool enabled) {
  const auto item = Locate(row.entry);
  const auto place = item ? ApprovedValueOf(*item, platform_.environment) : std::nullopt;
  if (!place) return false;
  if ((row.status == EntryStatus::kEnabled) == enabled) return true;
  if (!WriteApprovedState(platform_.registry, *place, enabled)) return false;
  row.status = enabled ? EntryStatus::kEnabled : EntryStatus::kDisabled;
  const char row_code =
      place->root == RegistryRoot::kLocalMachine ? kMachineSwitches : kUserSwitches;
  KnowAsUsersOwn(platform_, tables_, MakeRunValueEntry(row_code, place->key_path, place->name));
  return true;
}

RemoveOutcome StartupEntriesStore::Remove(const StartupRow& row) {
  BackupStore store(platform_.files, platform_.environment, data_.folder, data_.seal);
  const auto done = RemoveOnRequest(platform_, data_, clock_, store, row.entry);
  if (done.result == RemovalResult::kRefused) return {false, done.why};
  ForgetFromBaseline(tables_, row.entry);
  if (done.left) KnowAsUsersOwn(platform_, tables_, *done.left);
  return {true, ""};
}

void StartupEntriesStore::Export(const std::string& path, const std::vector<StartupRow>& rows) {
  ExportStartupEntries(platform_.files, path, rows);
}

}  // namespace corvane
