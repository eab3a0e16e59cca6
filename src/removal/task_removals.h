// Removing a scheduled task. Like every removal, it keeps its backup first,
// changes exactly its item, looks again and says what happened.
#pragma once

#include <string>

#include "platform/task_scheduler.h"
#include "removal/backup_store.h"
#include "removal/removal_result.h"

namespace corvane {

// Type T: keeps the task's definition, then deletes the task of that path
// from the library. A task whose definition cannot be read stays; one whose
// library cannot be reached afterwards counts as still in place.
RemovalResult RemoveScheduledTask(TaskScheduler& tasks, BackupKeeper& keeper,
                                  const std::string& path);

}  // namespace corvane
