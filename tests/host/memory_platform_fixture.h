// The in-memory machine that host tests prepare and inspect.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/area_switches.h"
#include "monitor/entry_kinds.h"
#include "monitor/entry_table.h"
#include "monitor/kind_scan.h"
#include "platform/event_subscription.h"
#include "platform/memory/memory_environment.h"
#include "platform/memory/memory_event_log.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_library.h"
#include "platform/memory/memory_program_facts.h"
#include "platform/memory/memory_registry.h"
#include "platform/platform.h"

namespace corvane {

inline constexpr auto kMachine = RegistryRoot::kLocalMachine;
inline constexpr auto kUser = RegistryRoot::kCurrentUser;
inline constexpr char kUserRun[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A subscription that starts the command whenever its filter's event comes.
inline EventSubscription CommandSubscription(const std::string& consumer, const std::string& filter,
                                             const std::string& command) {
  using Type = WmiProperty::Type;
  return {{{"Name", Type::kText, filter},
           {"Query", Type::kText, "SELECT * FROM __InstanceModificationEvent WITHIN 60"},
           {"QueryLanguage", Type::kText, "WQL"}},
          kCodeConsumerClasses[0],
          {{"Name", Type::kText, consumer},
           {"CommandLineTemplate", Type::kText, command},
           {"RunInteractively", Type::kSwitch, "false"},
           {"KillTimeout", Type::kNumber, "0"}}};
}

class MemoryPlatformTest : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  MemoryEnvironment environment;
  MemoryFileSystem files;
  MemoryLibrary tasks;
  MemoryLibrary subscriptions;
  MemoryProgramFacts programs;
  MemoryEventLog event_log;
  Platform platform{registry, environment, files, tasks, programs, subscriptions, &event_log};
  FixedAreaSwitches switches;
  EntryTables tables;

  std::vector<std::string> Current() const { return tables.current.Entries(); }
  // Scans the row of that type code into the current table.
  void ScanRow(char type_code) { ScanKind(platform, *KindOf(type_code), tables); }
  std::vector<std::string> Baseline() const { return tables.baseline.Entries(); }
};

}  // namespace corvane
