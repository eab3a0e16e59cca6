#include "changes/inventory.h"

#include "changes/entry_commands.h"
#include "monitor/entry_kinds.h"
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
  // A file listed with the size and time it had is taken as unchanged, so
  // that a quiet cycle reads no file, however many the folders hold.
  for (auto& [entry, command] : RememberCommands(platform, others, tables.baseline_commands,
                                                 tables.current_stamps, tables.kept_copies)) {
    tables.current_commands[entry] = std::move(command);
  }
}

void AdoptRowsNewerThan(const Platform& platform, const AreaSwitches& switches, int places_version,
                        EntryTables& tables) {
  std::string newer;
  for (const auto& kind : EntryKinds()) {
    if (kind.since > places_version) newer += kind.type_code;
  }
  if (newer.empty()) return;
  const auto rows = RowSelection::Only(newer);
  EntryTables scan;  // with no baseline, it holds just what those rows find
  scan.shared_views = tables.shared_views;
  scan.kept_copies = tables.kept_copies;
  FillCurrentInventory(platform, switches, scan, rows);
  EntryTable kept;
  CommandTable commands;
  const auto keep = [&](const std::string& entry, const CommandTable& from) {
    kept.Append(entry);
    const auto command = from.find(entry);
    if (command != from.end()) commands.insert(*command);
  };
  for (const auto& entry : tables.baseline.Entries()) {
    if (!rows.Has(entry[0])) keep(entry, tables.baseline_commands);
  }
  for (const auto& entry : scan.current.Entries()) keep(entry, scan.current_commands);
  tables.baseline.CopyFrom(kept);
  tables.baseline_commands = std::move(commands);
}

void TakeBaselineInventory(const Platform& platform, const AreaSwitches& switches,
                           EntryTables& tables) {
  FillCurrentInventory(platform, switches, tables);
  tables.baseline.CopyFrom(tables.current);
  tables.baseline_commands = tables.current_commands;
}

void KnowAsUsersOwn(const Platform& platform, EntryTables& tables, const std::string& entry) {
  if (!tables.baseline.Contains(entry)) tables.baseline.Append(entry);
  auto commands = RememberCommands(platform, {entry}, {}, {}, tables.kept_copies);
  const auto command = commands.find(entry);
  if (command != commands.end()) tables.baseline_commands[entry] = std::move(command->second);
}

void ForgetFromBaseline(EntryTables& tables, const std::string& entry) {
  if (!tables.baseline.Contains(entry)) return;
  EntryTable kept;
  for (const auto& each : tables.baseline.Entries()) {
    if (each != entry) kept.Append(each);
  }
  tables.baseline.CopyFrom(kept);
  tables.baseline_commands.erase(entry);
  tables.first_seen.erase(entry);
}

}  // namespace corvane
