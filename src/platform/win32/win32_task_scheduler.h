// The Task Scheduler library of the machine, through its 2.0 interfaces.
#pragma once

#include "platform/task_scheduler.h"

namespace corvane {

class Win32TaskScheduler : public TaskScheduler {
 public:
  std::optional<std::vector<std::string>> ListTasks() override;
  std::optional<bool> TaskExists(const std::string& path) override;
  bool DeleteTask(const std::string& path) override;
};

}  // namespace corvane
