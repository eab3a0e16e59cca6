// Scanner of the Task Scheduler's library (entry type T).
#pragma once

#include "monitor/entry_table.h"
#include "platform/task_scheduler.h"

namespace corvane {

// Appends every task the library lists, by its full path. When the library
// cannot be reached, the tasks of `previous` are appended again instead: a
// passing failure of the scheduler must neither hide a task from the next
// look nor make every task look new.
void ScanScheduledTasks(TaskScheduler& tasks, const EntryTable& previous, EntryTable& current);

}  // namespace corvane
