// What starts on this PC now, as the Startup entries window lists and acts
// on it.
#pragma once

#include <string>
#include <vector>

#include "changes/startup_list.h"

namespace corvane {

struct RemoveOutcome {
  bool removed = false;
  std::string why;  // not removed: why, when known
};

class StartupEntries {
 public:
  virtual ~StartupEntries() = default;
  // A scan of every place now (see ListStartupEntries).
  virtual std::vector<StartupRow> List() = 0;
  virtual void AddProgramFacts(StartupRow& row) = 0;
  // Task Manager's switch of the entry; false when it could not be written.
  virtual bool SetEnabled(StartupRow& row, bool enabled) = 0;
  // As No in an alert: a backup first, then the removal, logged.
  virtual RemoveOutcome Remove(const StartupRow& row) = 0;
  // Writes the rows to the file (see ExportStartupEntries); raises InOutError.
  virtual void Export(const std::string& path, const std::vector<StartupRow>& rows) = 0;
};

}  // namespace corvane
