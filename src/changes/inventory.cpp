#include "changes/inventory.h"

#include "changes/entry_commands.h"
#include "monitor/snapshot_scan.h"

namespace corvane {

void FillCurrentInventory(const Platform& platform, const AreaSwitches& switches,
                          EntryTables& tables) {
  FillCurrentTable(platform, switches, tables);
  tables.current_commands = RememberCommands(platform, tables.current.Entries());
}

void TakeBaselineInventory(const Platform& platform, const AreaSwitches& switches,
                           EntryTables& tables) {
  FillCurrentInventory(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
  tables.baseline_commands = tables.current_commands;
}

}  // namespace corvane
