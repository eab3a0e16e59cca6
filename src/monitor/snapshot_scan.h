// The inventory of every enabled place, and the snapshot that makes it the
// new baseline.
#pragma once

#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"

namespace corvane {

// Empties the current table and its commands and scans every row of the
// table of places whose area is switched on, in the table's order (the
// registry rows record their commands too). The baseline stands in for a
// task library that cannot be reached. An error of the INI scan goes up and
// leaves the entries found before it in the current table.
void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTables& tables);

// FillCurrentTable, then the current table becomes the baseline. When the
// scan ends on an error the baseline keeps the previous complete scan.
void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables);

}  // namespace corvane
