#include "changes/startup_entries_store.h"

#include "changes/inventory.h"
#include "changes/new_entry.h"
#include "changes/startup_export.h"
#include "monitor/approved_state.h"
#include "monitor/located_entry.h"
#include "removal/approved_switch.h"
#include "removal/backup_store.h"

namespace corvane {

std::vector<StartupRow> StartupEntriesStore::List() {
  return ListStartupEntries(platform_, tables_);
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
  KnowAsUsersOwn(platform_, tables_, ApprovedEntryOf(*place));
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
