#include "monitor/task_scanner.h"

#include "monitor/startup_entry.h"

namespace corvane {

void ScanScheduledTasks(TaskScheduler& tasks, const EntryTable& previous, EntryTable& current) {
  const auto listed = tasks.ListTasks();
  if (!listed) {
    for (const auto& entry : previous.Entries()) {
      if (!entry.empty() && entry[0] == entry_type::kScheduledTask) current.Append(entry);
    }
    return;
  }
  for (const auto& path : *listed) current.Append(MakeEntry(entry_type::kScheduledTask, path));
}

}  // namespace corvane
