#include "changes/startup_list.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "changes/entry_commands.h"
#include "changes/inventory.h"
#include "changes/new_entry.h"
#include "changes/signature_texts.h"
#include "monitor/approved_state.h"
#include "monitor/located_entry.h"
#include "platform/case_fold.h"
#include "texts.h"

namespace corvane {

namespace {

// Where a registry value is, as one key for a map.
std::string PlaceKey(RegistryRoot root, const std::string& key_path, const std::string& name) {
  return (root == RegistryRoot::kLocalMachine ? "1" : "2") + FoldCase(key_path) + '\\' +
         FoldCase(name);
}

// The states the scan read from Task Manager's switches, by the value's place.
std::map<std::string, EntryStatus> ApprovedStates(const EntryTables& scan) {
  std::map<std::string, EntryStatus> states;
  for (const auto& entry : scan.current.Entries()) {
    const auto item = Locate(entry);
    if (!item || item->kind->command != CommandFrom::kApprovedState) continue;
    const auto state = scan.current_commands.find(entry);
    if (state == scan.current_commands.end()) continue;
    states[PlaceKey(item->root, item->key_path, item->name)] =
        state->second.command == texts::kApprovedDisabled ? EntryStatus::kDisabled
                                                          : EntryStatus::kEnabled;
  }
  return states;
}

bool StartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

// The alert's location less the name at its end, which the Entry column
// shows, and with the registry's root named short.
std::string PlaceOf(std::string location, const std::string& name) {
  const auto tail = '\\' + name;
  if (location.size() > tail.size() &&
      location.compare(location.size() - tail.size(), tail.size(), tail) == 0) {
    location.resize(location.size() - tail.size());
  }
  for (const auto& [full, short_name] :
       {std::make_pair(texts::kLocalMachineRootName, texts::kLocalMachineShortName),
        std::make_pair(texts::kCurrentUserRootName, texts::kCurrentUserShortName)}) {
    if (StartsWith(location, full)) return short_name + location.substr(std::string(full).size());
  }
  return location;
}

int AreaOrder(Area area) { return static_cast<int>(area); }

// Whether `text` holds `folded` (already folded), letter case aside.
bool Holds(const std::string& text, const std::string& folded) {
  return FoldCase(text).find(folded) != std::string::npos;
}

}  // namespace

std::vector<StartupRow> ListStartupEntries(const Platform& platform, const EntryTables& known) {
  EntryTables scan;
  scan.baseline.CopyFrom(known.baseline);
  scan.baseline_commands = known.baseline_commands;
  scan.shared_views = known.shared_views;
  // The list reads the files; it keeps no copy of them.
  scan.kept_copies = "";
  const FixedAreaSwitches every_area;
  FillCurrentInventory(platform, every_area, scan);
  const auto states = ApprovedStates(scan);

  std::vector<StartupRow> rows;
  rows.reserve(scan.current.Count());
  for (const auto& entry : scan.current.Entries()) {
    const auto item = Locate(entry);
    if (!item || item->kind->command == CommandFrom::kApprovedState) continue;
    StartupRow row;
    row.entry = entry;
    row.kind = item->kind;
    row.name = ShownNameOf(*item);
    row.location = PlaceOf(TextsOfEntry(platform.environment, *item).location, row.name);
    if (item->kind->command == CommandFrom::kValueData) {
      const auto command = scan.current_commands.find(entry);
      if (command != scan.current_commands.end()) row.command = command->second.command;
    }
    if (const auto place = ApprovedValueOf(*item, platform.environment)) {
      row.can_switch = true;
      const auto state = states.find(PlaceKey(place->root, place->key_path, place->name));
      if (state != states.end()) row.status = state->second;
    }
    const auto seen = known.first_seen.find(entry);
    if (seen != known.first_seen.end()) row.first_seen = seen->second;
    rows.push_back(std::move(row));
  }
  // Grouped by check box; within one, the table's order, which the scan kept.
  std::stable_sort(rows.begin(), rows.end(), [](const StartupRow& a, const StartupRow& b) {
    return AreaOrder(a.kind->area) < AreaOrder(b.kind->area);
  });
  return rows;
}

void AddProgramFacts(const Platform& platform, StartupRow& row) {
  if (row.has_facts) return;
  row.has_facts = true;
  if (row.command.empty()) row.command = CommandOf(platform, row.entry);
  auto program = StartedProgramOf(platform, row.command);
  row.program = std::move(program.path);
  row.publisher = std::move(program.publisher);
}

const std::vector<StartupColumnInfo>& StartupColumns() {
  static const std::vector<StartupColumnInfo> columns = {
      {StartupColumn::kEntry, texts::kEntryColumn, "entry", 120},
      {StartupColumn::kType, texts::kTypeColumn, "type", 95},
      {StartupColumn::kLocation, texts::kLocationColumn, "location", 140},
      {StartupColumn::kCommand, texts::kCommandColumn, "command", 185},
      {StartupColumn::kPublisher, texts::kPublisherColumn, "publisher", 105},
      {StartupColumn::kSignature, texts::kSignatureColumn, "signature", 110},
      {StartupColumn::kStatus, texts::kStatusColumn, "status", 55},
      {StartupColumn::kFirstSeen, texts::kFirstSeenColumn, "firstSeen", 115},
  };
  return columns;
}

std::string CellText(const StartupRow& row, StartupColumn column) {
  switch (column) {
    case StartupColumn::kEntry:
      return row.name;
    case StartupColumn::kType:
      return row.kind != nullptr ? row.kind->type_text : "";
    case StartupColumn::kLocation:
      return row.location;
    case StartupColumn::kCommand:
      return row.command;
    case StartupColumn::kPublisher:
      return row.publisher;
    case StartupColumn::kSignature:
      return SignatureText(row.signature);
    case StartupColumn::kStatus:
      return row.status == EntryStatus::kDisabled ? texts::kApprovedDisabled
                                                  : texts::kApprovedEnabled;
    case StartupColumn::kFirstSeen:
      return row.first_seen;
  }
  return "";
}

std::string RowDetails(const StartupRow& row) {
  std::string details;
  for (const auto& info : StartupColumns()) {
    details +=
        std::string(info.heading) + texts::kDetailsSeparator + CellText(row, info.column) + "\r\n";
  }
  if (!row.program.empty()) details += texts::kProgramDetail + row.program + "\r\n";
  return details;
}

std::vector<std::size_t> ShownRows(const std::vector<StartupRow>& rows, const RowFilter& filter,
                                   const RowOrder& order) {
  const auto search = FoldCase(filter.search);
  std::vector<std::size_t> shown;
  for (std::size_t at = 0; at < rows.size(); ++at) {
    const auto& row = rows[at];
    if (filter.hide_windows_own && IsWindowsOwn(row.signature)) continue;
    const auto& columns = StartupColumns();
    if (!search.empty() &&
        std::none_of(columns.begin(), columns.end(), [&](const StartupColumnInfo& info) {
          return Holds(CellText(row, info.column), search);
        })) {
      continue;
    }
    shown.push_back(at);
  }
  if (order.by_column) {
    std::vector<std::string> keys(rows.size());
    for (const auto at : shown) keys[at] = FoldCase(CellText(rows[at], order.column));
    std::stable_sort(shown.begin(), shown.end(), [&](std::size_t a, std::size_t b) {
      return order.descending ? keys[b] < keys[a] : keys[a] < keys[b];
    });
  }
  return shown;
}

}  // namespace corvane
