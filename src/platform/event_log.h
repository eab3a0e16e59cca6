// The Windows event log, for administrators who collect what happens on all
// their PCs (Windows Event Forwarding, a log collector) instead of reading
// each PC's files: every decision about a startup entry is an event of the
// Application log from the source "Corvane", which the installers register.
#pragma once

#include <string>

namespace corvane {

// The event IDs: the message numbers of app/corvane_events.mc.
enum class Decision : unsigned {
  kAsked = 1,  // a new or changed entry was put to the user
  kRemoved = 2,
  kKept = 3,
  kPutBack = 4,
  kRemovedAsBlacklisted = 5,
  kNotRemoved = 6,  // the removal failed; a warning
};

// The event's data, as the alert shows them.
struct DecidedEntry {
  std::string type;
  std::string location;
  std::string command;
};

class EventLog {
 public:
  virtual ~EventLog() = default;
  // Never raises: an event that cannot be written is lost quietly.
  virtual void Report(Decision decision, const DecidedEntry& entry) = 0;
};

}  // namespace corvane
