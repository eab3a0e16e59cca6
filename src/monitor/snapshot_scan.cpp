#include "monitor/snapshot_scan.h"

#include "monitor/entry_kinds.h"
#include "monitor/kind_scan.h"

namespace corvane {

void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTables& tables) {
  tables.current.Reset();
  tables.current_commands.clear();
  tables.current_stamps.clear();
  for (const auto& kind : EntryKinds()) {
    if (AreaIsOn(switches, kind.area)) ScanKind(platform, kind, tables);
  }
}

void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables) {
  FillCurrentTable(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
}

}  // namespace corvane
