// The events reported, in their order, for the host build's tests.
#pragma once

#include <utility>
#include <vector>

#include "platform/event_log.h"

namespace corvane {

class MemoryEventLog : public EventLog {
 public:
  void Report(Decision decision, const DecidedEntry& entry) override {
    events.emplace_back(decision, entry);
  }

  std::vector<std::pair<Decision, DecidedEntry>> events;
};

}  // namespace corvane
