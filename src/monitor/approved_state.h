// Task Manager's switch of a Run value or a Startup file: a binary value,
// named after the entry, in a StartupApproved key; its first byte is odd
// while the entry is disabled. Windows starts an entry without one.
#pragma once

#include <optional>
#include <string>

#include "monitor/located_entry.h"
#include "monitor/started_command.h"
#include "platform/environment.h"

namespace corvane {

// texts::kApprovedDisabled or texts::kApprovedEnabled.
const char* ApprovedStateText(const RawValue& value);

// What a value of the row starts, as remembered to tell a change: the state
// for Task Manager's switches, else the value's text.
StartedCommand CommandOfRowValue(const EntryKind& kind, RawValue value);

// The value that holds the entry's switch; none for an entry that Task
// Manager does not switch.
std::optional<ValuePlace> ApprovedValueOf(const LocatedEntry& item, const Environment& environment);

// The entry of Task Manager's row that reads the switch at that place.
std::string ApprovedEntryOf(const ValuePlace& place);

}  // namespace corvane
