// An in-memory task library for the host build: tasks by path in the order
// they were added, path case ignored as Windows ignores it, and the failures
// a real library can have.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/task_scheduler.h"

namespace corvane {

class MemoryTaskScheduler : public TaskScheduler {
 public:
  std::optional<std::vector<std::string>> ListTasks() override;
  std::optional<bool> TaskExists(const std::string& path) override;
  bool DeleteTask(const std::string& path) override;
  std::optional<std::string> TaskDefinition(const std::string& path) override;
  bool RegisterTask(const std::string& path, const std::string& definition) override;

  // Set-up for tests. Tasks are listed in the order they were added.
  void AddTask(const std::string& path, const std::string& definition = "");
  void RefuseDeleting(const std::string& path);
  // While unreachable, nothing can be listed, looked up or deleted.
  void SetReachable(bool reachable) { reachable_ = reachable; }
  // How often the library was listed: once per scan of the tasks.
  int Listings() const { return listings_; }

 private:
  std::vector<std::string> tasks_;
  std::set<std::string> refused_;  // folded paths
  std::map<std::string, std::string> definitions_;  // by folded path
  bool reachable_ = true;
  int listings_ = 0;
};

}  // namespace corvane
