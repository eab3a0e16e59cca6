// The Task Scheduler's library of tasks, as the account Corvane runs under
// sees it. Tasks are named by their full path in the library ("\Name",
// "\Folder\Name").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

class TaskScheduler {
 public:
  virtual ~TaskScheduler() = default;

  // Every task this account can see, hidden ones included, folder by folder
  // from the root: a folder's tasks in the library's order, then each of its
  // subfolders in turn. A folder this account may not read contributes
  // nothing. No value when the library itself cannot be reached.
  virtual std::optional<std::vector<std::string>> ListTasks() = 0;

  // Whether a task of exactly that path is registered; no value when the
  // library cannot be reached, so that nobody takes a task for gone.
  virtual std::optional<bool> TaskExists(const std::string& path) = 0;

  // Deletes the task. True when this call deleted it; never raises.
  virtual bool DeleteTask(const std::string& path) = 0;

  // The task's definition as the library gives it (Task Scheduler XML); no
  // value when there is no such task or the library cannot be reached.
  virtual std::optional<std::string> TaskDefinition(const std::string& path) = 0;

  // Registers the definition under that path when no task has it. True when
  // this call registered it; never raises.
  virtual bool RegisterTask(const std::string& path, const std::string& definition) = 0;
};

}  // namespace corvane
