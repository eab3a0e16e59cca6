// What a poll cycle does with one entry that is new since the baseline: puts
// it to the user (or finds its name on the blacklist), has its removal action
// remove it when declined, then logs and flags what the action reports.
#pragma once

#include <string>

#include "changes/cycle_context.h"

namespace corvane {

// An error of the blacklist write goes up; everything else is recorded.
void HandleNewEntry(CycleContext& context, const std::string& entry);

}  // namespace corvane
