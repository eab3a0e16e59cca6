// The in-memory machine that host tests prepare and inspect.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/area_switches.h"
#include "monitor/entry_kinds.h"
#include "monitor/entry_table.h"
#include "monitor/kind_scan.h"
#include "platform/memory/memory_environment.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_program_facts.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_task_scheduler.h"
#include "platform/platform.h"

namespace corvane {

inline constexpr auto kMachine = RegistryRoot::kLocalMachine;
inline constexpr auto kUser = RegistryRoot::kCurrentUser;
inline constexpr char kUserRun[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class MemoryPlatformTest : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  MemoryEnvironment environment;
  MemoryFileSystem files;
  MemoryTaskScheduler tasks;
  MemoryProgramFacts programs;
  Platform platform{registry, environment, files, tasks, programs};
  FixedAreaSwitches switches;
  EntryTables tables;

  std::vector<std::string> Current() const { return tables.current.Entries(); }
  // Scans the row of that type code into the current table.
  void ScanRow(char type_code) { ScanKind(platform, *KindOf(type_code), tables); }
  std::vector<std::string> Baseline() const { return tables.baseline.Entries(); }
};

}  // namespace corvane
