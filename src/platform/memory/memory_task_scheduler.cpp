#include "platform/memory/memory_task_scheduler.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace corvane {

namespace {

auto Matching(const std::string& path) {
  return [folded = FoldCase(path)](const std::string& task) { return FoldCase(task) == folded; };
}

}  // namespace

std::optional<std::vector<std::string>> MemoryTaskScheduler::ListTasks() {
  ++listings_;
  if (!reachable_) return std::nullopt;
  return tasks_;
}

std::optional<bool> MemoryTaskScheduler::TaskExists(const std::string& path) {
  if (!reachable_) return std::nullopt;
  return std::any_of(tasks_.begin(), tasks_.end(), Matching(path));
}

bool MemoryTaskScheduler::DeleteTask(const std::string& path) {
  if (!reachable_ || refused_.count(FoldCase(path)) != 0) return false;
  const auto found = std::find_if(tasks_.begin(), tasks_.end(), Matching(path));
  if (found == tasks_.end()) return false;
  tasks_.erase(found);
  return true;
}

void MemoryTaskScheduler::AddTask(const std::string& path) { tasks_.push_back(path); }

void MemoryTaskScheduler::RefuseDeleting(const std::string& path) {
  refused_.insert(FoldCase(path));
}

}  // namespace corvane
