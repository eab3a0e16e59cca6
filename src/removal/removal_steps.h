// Steps that every removal action shares: asking the user and recording
// the outcome.
#pragma once

#include <string>

#include "changes/cycle_context.h"

namespace corvane {

// Puts the entry to the user; true when it is to be removed.
bool AskToRemove(CycleContext& context, const std::string& type_text,
                 const std::string& location_text);

// Logs "Deleted " or "Could not delete " followed by the subject, and sets
// the removal flag or the failure flag.
void RecordOutcome(CycleContext& context, bool removed, const std::string& subject);

}  // namespace corvane
