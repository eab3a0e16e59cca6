// The scan of every enabled place together with what its Run-type values,
// services and Startup shortcuts start, so that a changed command is seen.
#pragma once

#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/row_selection.h"

namespace corvane {

// FillCurrentTable, then the current table's commands; an entry of a row
// not in `rows` keeps the command the baseline has for it.
void FillCurrentInventory(const Platform& platform, const AreaSwitches& switches,
                          EntryTables& tables, const RowSelection& rows = RowSelection::Every());

// FillCurrentInventory, then both become the baseline. When the scan ends on
// an error the baseline keeps the previous complete one.
void TakeBaselineInventory(const Platform& platform, const AreaSwitches& switches,
                           EntryTables& tables);

}  // namespace corvane
