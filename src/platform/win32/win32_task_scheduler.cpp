#include "platform/win32/win32_task_scheduler.h"

namespace corvane {

std::optional<std::vector<std::string>> Win32TaskScheduler::ListTasks() { return std::nullopt; }

std::optional<bool> Win32TaskScheduler::TaskExists(const std::string&) { return std::nullopt; }

bool Win32TaskScheduler::DeleteTask(const std::string&) { return false; }

}  // namespace corvane
