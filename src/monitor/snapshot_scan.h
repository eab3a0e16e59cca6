// The inventory of every enabled place, and the snapshot that makes it the
// new baseline.
#pragma once

#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/row_selection.h"

namespace corvane {

// Empties the current table and its commands and fills it with every row of
// the table of places whose area is switched on, in the table's order: a
// row of `rows` is scanned (the registry rows record their commands too, and
// the time the scan took), any other row is taken as the baseline has it.
// The baseline stands in for a task library that cannot be reached. An
// error of the INI scan goes up and leaves the entries found before it in
// the current table.
void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTables& tables,
                      const RowSelection& rows = RowSelection::Every());

// FillCurrentTable, then the current table becomes the baseline. When the
// scan ends on an error the baseline keeps the previous complete scan.
void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables);

}  // namespace corvane
