#include "removal/task_removals.h"

namespace corvane {

RemovalResult RemoveScheduledTask(TaskScheduler& tasks, const std::string& path) {
  if (tasks.TaskExists(path) == std::optional<bool>(false)) return RemovalResult::kAlreadyGone;
  const bool deleted = tasks.DeleteTask(path);
  if (tasks.TaskExists(path) != std::optional<bool>(false)) return RemovalResult::kRefused;
  return deleted ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone;
}

}  // namespace corvane
