// The startup entries as the scan finds them and the user changes them from
// the Startup entries window; what the user does there is never asked about.
#pragma once

#include "changes/data_files.h"
#include "changes/startup_entries.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/user_interface.h"

namespace corvane {

class StartupEntriesStore : public StartupEntries {
 public:
  StartupEntriesStore(Platform& platform, const DataFiles& data, EntryTables& tables,
                      const Clock& clock)
      : platform_(platform), data_(data), tables_(tables), clock_(clock) {}

  std::vector<StartupRow> List() override;
  void AddProgramFacts(StartupRow& row) override;
  bool SetEnabled(StartupRow& row, bool enabled) override;
  RemoveOutcome Remove(const StartupRow& row) override;
  void Export(const std::string& path, const std::vector<StartupRow>& rows) override;

 private:
  Platform& platform_;
  const DataFiles& data_;
  EntryTables& tables_;
  const Clock& clock_;
};

}  // namespace corvane
