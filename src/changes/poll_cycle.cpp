#include "changes/poll_cycle.h"

#include <exception>
#include <string>

#include "monitor/snapshot_scan.h"
#include "monitor/startup_entry.h"
#include "removal/file_removals.h"
#include "removal/registry_removals.h"
#include "monitor/autostart_locations.h"
#include "texts.h"

namespace corvane {

namespace {

// The dispatch table: the entry type code picks the removal action.
void HandleNewEntry(CycleContext& context, const std::string& entry) {
  if (entry.empty()) return;
  const auto rest = entry.substr(1);
  switch (entry[0]) {
    case entry_type::kLocalMachineRunValue:
    case entry_type::kCurrentUserRunValue:
      RemoveRegistryStartup(context, entry);
      break;
    case entry_type::kStartupFolderFile:
      RemoveStartupFolderFile(context, rest);
      break;
    case entry_type::kService:
      RemoveServiceStartup(context, rest);
      break;
    case entry_type::kWinIniLine:
      RemoveIniStartup(context, locations::kWinIni, rest);
      break;
    case entry_type::kSystemIniLine:
      RemoveIniStartup(context, locations::kSystemIni, rest);
      break;
    case entry_type::kRegistryStringValue:
      RemoveIEStartPage(context);
      break;
    case entry_type::kBrowserHelper:
      RemoveIEBHO(context, rest);
      break;
    default:
      break;
  }
}

template <typename Show>
void WithTimerStopped(CycleContext& context, Show show) {
  context.timer.Stop();
  show();
  context.timer.Start();
}

}  // namespace

void RunPollCycle(CycleContext& context) {
  auto& tables = context.tables;
  context.flags = CycleFlags{};
  FillCurrentTable(context.platform, context.switches, tables.current);
  tables.copy.CopyFrom(tables.current);
  for (const auto& entry : tables.copy.Entries()) {
    if (!tables.baseline.Contains(entry)) HandleNewEntry(context, entry);
  }

  const auto& flags = context.flags;
  if (flags.failure != 0) {
    WithTimerStopped(context, [&] {
      context.boxes.Beep();
      context.boxes.ShowWarning(texts::kNotRemovedWarning);
    });
  } else if (flags.removal == 1 && flags.blacklist_hit == 0) {
    WithTimerStopped(context, [&] {
      context.boxes.Beep();
      context.boxes.ShowInformation(texts::kRestoredMessage);
    });
  }

  TakeSnapshotScan(context.platform, context.switches, tables);
}

void RunPollCycleReportingErrors(CycleContext& context) {
  try {
    RunPollCycle(context);
  } catch (const std::exception& error) {
    WithTimerStopped(context, [&] { context.boxes.ShowError(error.what()); });
  }
}

}  // namespace corvane
