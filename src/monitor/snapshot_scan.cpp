#include "monitor/snapshot_scan.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "monitor/entry_kinds.h"
#include "monitor/kind_scan.h"

namespace corvane {

void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTables& tables,
                      const RowSelection& rows) {
  tables.current.Reset();
  tables.current_commands.clear();
  tables.current_stamps.clear();
  tables.scan_ms.clear();
  tables.counted_subkeys.clear();
  // The baseline's entries of the rows not scanned, by type code, in its order.
  std::map<char, std::vector<const std::string*>> kept;
  if (!rows.every()) {
    for (const auto& entry : tables.baseline.Entries()) {
      if (!entry.empty() && !rows.Has(entry[0])) kept[entry[0]].push_back(&entry);
    }
  }
  for (const auto& kind : EntryKinds()) {
    if (!AreaIsOn(switches, kind.area)) continue;
    if (!rows.Has(kind.type_code)) {
      for (const auto* entry : kept[kind.type_code]) tables.current.Append(*entry);
      continue;
    }
    const auto start = std::chrono::steady_clock::now();
    ScanKind(platform, kind, tables);
    const auto took = std::chrono::steady_clock::now() - start;
    tables.scan_ms[kind.type_code] =
        static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count());
  }
}

void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables) {
  FillCurrentTable(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
}

}  // namespace corvane
