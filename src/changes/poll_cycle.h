// The watch: scan, find what is new since the baseline, hand each new entry
// on, tell the user, take a new baseline.
#pragma once

#include "changes/cycle_context.h"
#include "platform/row_selection.h"

namespace corvane {

// One cycle, unless one is already running (waiting in one of its dialogs):
// then nothing happens, and the next tick comes. An error (an unreadable INI
// file, a blacklist that cannot be written) ends the cycle where it happens,
// without a new baseline, and goes up. Only the rows of `rows` are scanned
// afresh; the others are taken as the baseline has them, so that none of
// their entries is new or gone in this cycle.
void RunPollCycle(CycleContext& context, const RowSelection& rows = RowSelection::Every());

// What a timer tick runs: the cycle, with an error that ends it shown in the
// application's error box while the timer is held, so that an error that
// recurs cannot pile up one box on another.
void RunPollCycleReportingErrors(CycleContext& context,
                                 const RowSelection& rows = RowSelection::Every());

}  // namespace corvane
