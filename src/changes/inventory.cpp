#include "changes/inventory.h"

#include <set>

#include "changes/entry_commands.h"
#include "monitor/entry_kinds.h"
#include "monitor/kind_scan.h"
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

void AdoptRowsNewerThan(const Platform& platform, const AreaSwitches& switches, int places_version,
                        EntryTables& tables) {
  std::set<char> newer;
  EntryTables scan;
  scan.shared_views = tables.shared_views;
  scan.kept_copies = tables.kept_copies;
  for (const auto& kind : EntryKinds()) {
    if (kind.since <= places_version || !AreaIsOn(switches, kind.area)) continue;
    newer.insert(kind.type_code);
    ScanKind(platform, kind, scan);
  }
  if (newer.empty()) return;
  EntryTable kept;
  CommandTable commands;
  for (const auto& entry : tables.baseline.Entries()) {
    if (newer.count(entry[0]) != 0) continue;
    kept.Append(entry);
    const auto command = tables.baseline_commands.find(entry);
    if (command != tables.baseline_commands.end()) commands.insert(*command);
  }
  std::vector<std::string> others;
  for (const auto& entry : scan.current.Entries()) {
    kept.Append(entry);
    const auto command = scan.current_commands.find(entry);
    if (command != scan.current_commands.end()) {
      commands.insert(*command);
    } else {
      others.push_back(entry);
    }
  }
  commands.merge(RememberCommands(platform, others, {}, scan.current_stamps));
  tables.baseline.CopyFrom(kept);
  tables.baseline_commands = std::move(commands);
}

void TakeBaselineInventory(const Platform& platform, const AreaSwitches& switches,
                           EntryTables& tables) {
  FillCurrentInventory(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
  tables.baseline_commands = tables.current_commands;
}

}  // namespace corvane
