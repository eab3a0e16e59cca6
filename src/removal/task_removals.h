// Removing a scheduled task. Like every removal, it changes exactly its item,
// looks again and says what happened.
#pragma once

#include <string>

#include "platform/task_scheduler.h"
#include "removal/removal_result.h"

namespace corvane {

// Type T: deletes the task of that path from the library. A task whose
// library cannot be reached afterwards counts as still in place.
RemovalResult RemoveScheduledTask(TaskScheduler& tasks, const std::string& path);

}  // namespace corvane
