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

// A baseline saved with an earlier version of the table of places knows
// nothing of the rows added or changed since: what they find now is taken
// into the baseline unasked, in place of what it kept of them, as a first
// start takes everything.
void AdoptRowsNewerThan(const Platform& platform, const AreaSwitches& switches, int places_version,
                        EntryTables& tables);

// The entry as it stands now is the user's own doing (put back, switched,
// left by a removal the user asked for): no cycle asks about it as new or
// as a change.
void KnowAsUsersOwn(const Platform& platform, EntryTables& tables, const std::string& entry);

// The user removed the entry: should it come back, it is asked about.
void ForgetFromBaseline(EntryTables& tables, const std::string& entry);

}  // namespace corvane
