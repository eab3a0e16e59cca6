#include "monitor/snapshot_scan.h"

#include "monitor/autostart_locations.h"
#include "monitor/file_scanners.h"
#include "monitor/registry_scanners.h"
#include "monitor/service_scanners.h"
#include "monitor/task_scanner.h"

namespace corvane {

namespace {

// The single values under "Monitor 'StartUp' Registry keys", after the
// Run-type keys: the start page, Winlogon's values, the programs'
// debuggers and AppInit_DLLs, each machine key followed by its 32-bit view.
void ScanWatchedValues(Registry& registry, EntryTable& current) {
  using namespace locations;
  constexpr char kMachine = kLocalMachineRootCode;
  ScanSingleValue(registry, current, kStartPageKey, kStartPageRootCode, kStartPageValue);
  for (const auto& path : DistinctViews(registry, kMachine, kWinlogonKey)) {
    for (const char* name : {kWinlogonShellValue, kWinlogonUserinitValue}) {
      ScanValueWithData(registry, current, entry_type::kWinlogonValue, kMachine, path, name);
    }
  }
  ScanValueWithData(registry, current, entry_type::kWinlogonValue, kCurrentUserRootCode,
                    kWinlogonKey, kWinlogonShellValue);
  for (const auto& path : DistinctViews(registry, kMachine, kImageOptionsKey)) {
    ScanDebuggers(registry, current, path);
  }
  for (const auto& path : DistinctViews(registry, kMachine, kWindowsKey)) {
    ScanValueWithData(registry, current, entry_type::kAppInitValue, kMachine, path, kAppInitValue);
  }
}

}  // namespace

void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTables& tables) {
  auto& current = tables.current;
  current.Reset();
  tables.current_commands.clear();
  if (switches.MonitorStartupFolders()) {
    ScanStartupFolders(platform.environment, platform.files, current);
  }
  if (switches.MonitorRegistryKeys()) {
    for (const auto& key : locations::kRunKeys) {
      for (const auto& path : DistinctViews(platform.registry, key.root_code, key.path)) {
        ScanKeyValues(platform.registry, current, path, key.root_code);
      }
    }
    ScanWatchedValues(platform.registry, current);
  }
  if (switches.MonitorServices()) {
    ScanServices(platform.registry, current, &tables.current_commands);
  }
  if (switches.MonitorIniFiles()) ScanIniFiles(platform.environment, platform.files, current);
  if (switches.MonitorIeObjects()) ScanBrowserHelpers(platform.registry, current);
  if (switches.MonitorScheduledTasks()) {
    ScanScheduledTasks(platform.tasks, tables.baseline, current);
  }
}

void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables) {
  FillCurrentTable(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
}

}  // namespace corvane
