// Everything a poll cycle and its removal actions work with.
#pragma once

#include "changes/alert_view.h"
#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/user_interface.h"

namespace corvane {

// Set by the removal actions, read at the end of the cycle, reset at its start.
struct CycleFlags {
  int removal = 0;        // something declined was removed
  int blacklist_hit = 0;  // a new Run-type value was on the blacklist
  int failure = 0;        // something declined is still in place
};

struct CycleContext {
  Platform& platform;
  const AreaSwitches& switches;
  EntryTables& tables;
  AlertView& alert;
  PollTimer& timer;
  MessageBoxes& boxes;
  const Clock& clock;
  CycleFlags flags;
};

}  // namespace corvane
