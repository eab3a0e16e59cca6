#include "changes/removed_entries_store.h"

#include "changes/activity_log.h"
#include "changes/entry_commands.h"
#include "changes/inventory.h"
#include "changes/new_entry.h"
#include "monitor/kind_scan.h"
#include "monitor/located_entry.h"
#include "removal/put_back.h"
#include "texts.h"

namespace corvane {

RemovedEntriesStore::RemovedEntriesStore(Platform& platform, const DataFiles& data,
                                         EntryTables& tables, const Clock& clock)
    : platform_(platform),
      data_(data),
      tables_(tables),
      clock_(clock),
      store_(platform.files, platform.environment, data.folder, data.seal) {}

std::vector<RemovedEntry> RemovedEntriesStore::List() {
  std::vector<RemovedEntry> entries;
  for (const auto& [id, backup] : store_.List()) {
    // Type and location as the entry that the record puts back names them.
    const auto named =
        backup ? TextsOfEntry(platform_.environment, backup->header.entry) : std::nullopt;
    if (!named) {
      entries.push_back({id, "", texts::kDamagedBackup, id, "", true});
      continue;
    }
    const auto& header = backup->header;
    entries.push_back({id, header.date, named->type_text, named->location, header.command, false,
                       ShownNameOf(header.entry)});
  }
  return entries;
}

PutBackOutcome RemovedEntriesStore::PutBack(const std::string& id) {
  const auto backup = store_.Read(id);
  const auto named =
      backup ? TextsOfEntry(platform_.environment, backup->header.entry) : std::nullopt;
  if (!named) return PutBackOutcome::kDamaged;
  switch (PutBackRemoval(platform_, store_, backup->body)) {
    case RestoreResult::kRestored:
      break;
    case RestoreResult::kPlaceTaken:
      return PutBackOutcome::kPlaceTaken;
    case RestoreResult::kAccessDenied:
      return PutBackOutcome::kAccessDenied;
    case RestoreResult::kFailed:
      return PutBackOutcome::kFailed;
  }
  const auto& header = backup->header;
  WriteLog(platform_.files, data_.Log(),
           ComposeLogLine(clock_, texts::kPutBackLogged + named->logged));
  ReportDecision(platform_, Decision::kPutBack,
                 {named->type_text, named->location, header.command});
  if (!header.entry.empty()) KnowAsUsersOwn(platform_, tables_, header.entry);
  // A service put back brings its DLL back with it, and the other way round.
  for (const auto& other : EntriesOfSameSubkey(header.entry)) {
    EntryTables scan;
    ScanKind(platform_, *KindOf(other[0]), scan);
    if (scan.current.Contains(other)) KnowAsUsersOwn(platform_, tables_, other);
  }
  store_.DropRecord(id);  // what it kept is back in place
  return PutBackOutcome::kPutBack;
}

void RemovedEntriesStore::Forget(const std::string& id) { store_.Forget(id); }

}  // namespace corvane
