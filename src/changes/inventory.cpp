#include "changes/inventory.h"

#include "changes/entry_commands.h"
#include "monitor/snapshot_scan.h"

namespace corvane {

void FillCurrentInventory(const Platform& platform, const AreaSwitches& switches,
                          EntryTables& tables, const RowSelection& rows) {
  FillCurrentTable(platform, switches, tables, rows);
  // The scan read the registry's commands already, in the same pass.
  std::vector<std::string> others;
  for (const auto& entry : tables.current.Entries()) {
    if (tables.current_commands.count(entry) != 0) continue;
    if (rows.Has(entry[0])) {
      others.push_back(entry);
    } else if (const auto known = tables.baseline_commands.find(entry);
               known != tables.baseline_commands.end()) {
      tables.current_commands.insert(*known);
    }
  }
  // A shortcut listed with the size and time it had is taken as unchanged,
  // so that a quiet cycle reads no file, however many the folders hold.
  for (auto& [entry, command] :
       RememberCommands(platform, others, tables.baseline_commands, tables.current_stamps)) {
    tables.current_commands[entry] = std::move(command);
  }
}

void TakeBaselineInventory(const Platform& platform, const AreaSwitches& switches,
                           EntryTables& tables) {
  FillCurrentInventory(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
  tables.baseline_commands = tables.current_commands;
}

}  // namespace corvane
