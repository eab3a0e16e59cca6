// Turns Task Manager's switch of a Run value or Startup file, written the
// way Task Manager writes it, so that both show the same state: twelve
// bytes of REG_BINARY, the first 2 while enabled, or 3 and, from the fifth
// byte on, the time (a FILETIME, UTC) it was disabled.
#pragma once

#include <cstdint>

#include "monitor/located_entry.h"
#include "platform/registry.h"

namespace corvane {

// The value's bytes for that state; `disabled_at` counts 100-nanosecond
// steps since 1601, as Windows counts file times.
RawValue ApprovedValue(bool enabled, std::uint64_t disabled_at);

// Writes the switch (making its key when missing); false when it could not
// be written.
bool WriteApprovedState(Registry& registry, const ValuePlace& place, bool enabled);

}  // namespace corvane
