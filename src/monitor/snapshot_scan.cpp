#include "monitor/snapshot_scan.h"

#include "monitor/autostart_locations.h"
#include "monitor/file_scanners.h"
#include "monitor/registry_scanners.h"
#include "monitor/service_scanners.h"

namespace corvane {

void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTable& current) {
  current.Reset();
  if (switches.MonitorStartupFolders()) {
    ScanStartupFolders(platform.environment, platform.files, current);
  }
  if (switches.MonitorRegistryKeys()) {
    for (const auto& key : locations::kRunKeys) {
      ScanKeyValues(platform.registry, current, key.path, key.root_code);
    }
    ScanSingleValue(platform.registry, current, locations::kStartPageKey,
                    locations::kStartPageRootCode, locations::kStartPageValue);
  }
  if (switches.MonitorServices()) ScanServices(platform.registry, current);
  if (switches.MonitorIniFiles()) ScanIniFiles(platform.environment, platform.files, current);
  if (switches.MonitorIeObjects()) ScanBrowserHelpers(platform.registry, current);
}

void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables) {
  FillCurrentTable(platform, switches, tables.current);
  tables.baseline.CopyFrom(tables.current);
}

}  // namespace corvane
