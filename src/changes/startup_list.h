// What starts on this PC now: one row per entry that a scan of every place
// finds, as the Startup entries window and the export list them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "monitor/entry_kinds.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/signatures.h"

namespace corvane {

enum class EntryStatus {
  kEnabled,
  kDisabled,  // Task Manager keeps it disabled; Windows does not start it
};

struct StartupRow {
  std::string entry;  // as the scan makes it
  const EntryKind* kind = nullptr;
  std::string name;        // the value, file, service or task
  std::string location;    // where it is, without its name
  std::string command;     // what it starts; "" until the program facts are added
  bool has_facts = false;  // the command (when it was not known), program and publisher are in
  std::string program;     // the program file the command starts; "" when it cannot be told
  std::string publisher;   // the version information's company
  Signature signature = {};
  EntryStatus status = EntryStatus::kEnabled;
  bool can_switch = false;  // Task Manager's switch: Disable and Enable apply
  std::string first_seen;   // "YYYY-MM-DD hh:mm:ss"; "" when not known
};

// Scans every place, whatever the area switches say (the commands that the
// known tables hold for unchanged files are taken from them, and the first
// sightings of their baseline), and lists
// what it finds, grouped by check box and then in the table's order. Rows
// that only hold Task Manager's switch are shown as the Status of theirs.
// The slow facts (a command that needs a file or a definition read, the
// program, its publisher) are left for AddProgramFacts.
std::vector<StartupRow> ListStartupEntries(const Platform& platform, const EntryTables& known);

// Fills in the row's command (when the scan did not know it), program and
// publisher; does nothing the second time.
void AddProgramFacts(const Platform& platform, StartupRow& row);

enum class StartupColumn {
  kEntry,
  kType,
  kLocation,
  kCommand,
  kPublisher,
  kSignature,
  kStatus,
  kFirstSeen,
};
struct StartupColumnInfo {
  StartupColumn column;
  const char* heading;    // in the window and the CSV file
  const char* json_name;  // in the JSON file
  int width;              // layout pixels in the window
};
// In the window's order.
const std::vector<StartupColumnInfo>& StartupColumns();

std::string CellText(const StartupRow& row, StartupColumn column);

// What "Copy details" puts on the clipboard: each column's heading and
// text, one per line, and the program file when it is known.
std::string RowDetails(const StartupRow& row);

struct RowFilter {
  std::string search;  // every column is searched, letter case aside
  bool hide_windows_own = true;
};
struct RowOrder {
  bool by_column = false;  // false: the listing's order
  StartupColumn column = StartupColumn::kEntry;
  bool descending = false;
};

// The indexes of the rows shown, in the order shown.
std::vector<std::size_t> ShownRows(const std::vector<StartupRow>& rows, const RowFilter& filter,
                                   const RowOrder& order);

}  // namespace corvane
