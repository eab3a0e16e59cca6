// The inventory of every enabled place, and the snapshot that makes it the
// new baseline.
#pragma once

#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"

namespace corvane {

// Empties the current table and its commands and runs every scanner whose
// area is switched on (the services' scanner records their commands too):
// Startup folders, Run-type keys and single registry values, services, INI
// files, browser helper objects, scheduled tasks. The baseline stands in for
// a task library that cannot be reached. An error of the INI scanner goes up
// and leaves the entries found before it in the current table.
void FillCurrentTable(const Platform& platform, const AreaSwitches& switches, EntryTables& tables);

// FillCurrentTable, then the current table becomes the baseline. When the
// scan ends on an error the baseline keeps the previous complete scan.
void TakeSnapshotScan(const Platform& platform, const AreaSwitches& switches, EntryTables& tables);

}  // namespace corvane
