#include "removal/task_removals.h"

namespace corvane {

RemovalResult RemoveScheduledTask(TaskScheduler& tasks, BackupKeeper& keeper,
                                  const std::string& path) {
  if (tasks.TaskExists(path) == std::optional<bool>(false)) return RemovalResult::kAlreadyGone;
  const auto definition = tasks.TaskDefinition(path);
  if (!definition || !KeepBackup(keeper, TaskBackup{path, *definition})) {
    return RemovalResult::kRefused;
  }
  const bool deleted = tasks.DeleteTask(path);
  if (tasks.TaskExists(path) != std::optional<bool>(false)) {
    return Settle(keeper, RemovalResult::kRefused);
  }
  return Settle(keeper, deleted ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone);
}

}  // namespace corvane
