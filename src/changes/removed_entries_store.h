// The removals that can be put back, as the backups in the data folder hold
// them: the list that the window of removed entries shows and acts on.
#pragma once

#include <string>
#include <vector>

#include "changes/data_files.h"
#include "changes/removed_entries.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/user_interface.h"
#include "removal/backup_store.h"

namespace corvane {

class RemovedEntriesStore : public RemovedEntries {
 public:
  RemovedEntriesStore(Platform& platform, const DataFiles& data, EntryTables& tables,
                      const Clock& clock);

  std::vector<RemovedEntry> List() override;
  // Restores the item, logs "Put back ...", takes its entry into the
  // baseline (so it is not asked about again) and forgets the backup; any
  // other outcome changes nothing.
  PutBackOutcome PutBack(const std::string& id) override;
  void Forget(const std::string& id) override;

 private:
  Platform& platform_;
  const DataFiles& data_;
  EntryTables& tables_;
  const Clock& clock_;
  BackupStore store_;
};

}  // namespace corvane
