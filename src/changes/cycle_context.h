// Everything a poll cycle works with. It lives as long as the main window,
// so that a cycle can tell when another one is still running.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "changes/alert_view.h"
#include "changes/data_files.h"
#include "changes/saved_baseline.h"
#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/platform.h"
#include "platform/user_interface.h"
#include "removal/backup_store.h"

namespace corvane {

// A Run-type value that the cycle found on the blacklist.
struct BlacklistHit {
  std::string name;
  bool removed = false;
};

// Set while a cycle handles its new entries, read at its end, reset at its start.
struct CycleFlags {
  int removal = 0;        // something declined is gone
  int blacklist_hit = 0;  // a new Run-type value was on the blacklist
  int failure = 0;        // something declined is still in place
};

struct CycleContext {
  Platform& platform;
  const DataFiles& data;
  const AreaSwitches& switches;
  EntryTables& tables;
  AlertView& alert;
  PollTimer& timer;
  MessageBoxes& boxes;
  const Clock& clock;
  Notifications& notices;
  CycleFlags flags = {};
  // Where the declined entries are that could not be removed, as the alert showed them.
  std::vector<std::string> not_removed = {};
  // Entries that the cycle's own removals put in place (an INI line's key,
  // Winlogon's default), which its closing scan may take unasked.
  std::vector<std::string> left_by_removals = {};
  // Changed entries whose old command the cycle wrote back, with that command.
  CommandTable written_back = {};
  // Answers the user gave for all the remaining entries of a type, by the
  // type's key (SameTypeKey): true for No.
  std::map<std::string, bool> same_answers = {};
  // The backups of the cycle's removals, whose records share one flush at its end.
  std::optional<BackupStore> backups = std::nullopt;
  // The blacklist as the cycle read it; read again after the cycle wrote to it.
  std::optional<std::set<std::string>> blacklist = std::nullopt;
  // What the blacklist matched, told in one notice at the cycle's end.
  std::vector<BlacklistHit> blacklist_hits = {};
  bool running = false;  // a cycle is under way (waiting in one of its dialogs)
  // Where the baseline is kept between runs; none in tests that do not keep it.
  BaselineFile* saved_baseline = nullptr;
  bool save_failure_reported = false;  // once per run is enough
  // Shows a long run of removals and lets the window messages through
  // meanwhile; none where nothing is shown.
  Progress* progress = nullptr;
};

}  // namespace corvane
