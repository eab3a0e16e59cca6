#include "changes/poll_cycle.h"

#include <exception>
#include <string>

#include "changes/new_entry.h"
#include "monitor/snapshot_scan.h"
#include "texts.h"

namespace corvane {

namespace {

// Marks a cycle as under way for its whole run, however it ends.
class Running {
 public:
  explicit Running(bool& running) : running_(running) { running_ = true; }
  ~Running() { running_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& running_;
};

std::string NotRemovedMessage(const std::vector<std::string>& locations) {
  std::string text = texts::kNotRemovedWarning;
  text += "\n";
  for (const auto& location : locations) text += "\n" + location;
  return text;
}

// The baseline after a cycle that handled new entries: what the closing scan
// finds, less what appeared while the user answered (in neither the
// baseline nor the cycle's own scan, and not left by its own removals).
// Those are asked about in the next cycle instead of being taken unasked.
// The baseline compared with is the one of now: a Save while an alert was
// open retook it. When the scan ends on an error, the baseline stays.
void TakeClosingBaseline(CycleContext& context, const std::vector<std::string>& found) {
  auto& tables = context.tables;
  EntryTable seen;
  for (const auto& entry : found) seen.Append(entry);
  for (const auto& entry : context.left_by_removals) seen.Append(entry);
  FillCurrentTable(context.platform, context.switches, tables);
  EntryTable kept;
  for (const auto& entry : tables.current.Entries()) {
    if (tables.baseline.Contains(entry) || seen.Contains(entry)) kept.Append(entry);
  }
  tables.baseline.CopyFrom(kept);
}

}  // namespace

void RunPollCycle(CycleContext& context) {
  // A tick that comes while a cycle waits for the user is dropped: a cycle
  // inside a cycle would ask twice and take its entries unasked.
  if (context.running) return;
  const Running running(context.running);
  auto& tables = context.tables;
  context.flags = CycleFlags{};
  context.not_removed.clear();
  context.left_by_removals.clear();
  FillCurrentTable(context.platform, context.switches, tables);
  // The cycle's own copy: a Save while an alert is open retakes the tables.
  const auto found = tables.current.Entries();
  bool handled = false;
  for (const auto& entry : found) {
    if (tables.baseline.Contains(entry)) continue;
    handled = true;
    HandleNewEntry(context, entry);
  }
  // Nothing new: what the scan found is the new baseline, as it stands.
  if (!handled) {
    tables.baseline.CopyFrom(tables.current);
    return;
  }

  const auto& flags = context.flags;
  if (flags.failure != 0) {
    const TimerHold hold(context.timer);
    context.boxes.Beep();
    context.boxes.ShowWarning(NotRemovedMessage(context.not_removed));
  } else if (flags.removal == 1 && flags.blacklist_hit == 0) {
    const TimerHold hold(context.timer);
    context.boxes.Beep();
    context.boxes.ShowInformation(texts::kRestoredMessage);
  }

  TakeClosingBaseline(context, found);
}

void RunPollCycleReportingErrors(CycleContext& context) {
  try {
    RunPollCycle(context);
  } catch (const std::exception& error) {
    const TimerHold hold(context.timer);
    context.boxes.ShowError(error.what());
  }
}

}  // namespace corvane
