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
  definitions_.erase(FoldCase(path));
  return true;
}

std::optional<std::string> MemoryTaskScheduler::TaskDefinition(const std::string& path) {
  if (TaskExists(path) != std::optional<bool>(true)) return std::nullopt;
  return definitions_[FoldCase(path)];
}

bool MemoryTaskScheduler::RegisterTask(const std::string& path, const std::string& definition) {
  if (!reachable_ || refused_.count(FoldCase(path)) != 0 || *TaskExists(path)) return false;
  AddTask(path, definition);
  return true;
}

void MemoryTaskScheduler::AddTask(const std::string& path, const std::string& definition) {
  tasks_.push_back(path);
  definitions_[FoldCase(path)] = definition;
}

void MemoryTaskScheduler::RefuseDeleting(const std::string& path) {
  refused_.insert(FoldCase(path));
}

}  // namespace corvane
