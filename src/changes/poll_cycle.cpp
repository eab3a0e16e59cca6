#include "changes/poll_cycle.h"

#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "changes/inventory.h"
#include "changes/new_entry.h"
#include "monitor/entry_kinds.h"
#include "platform/errors.h"
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

// One entry that the cycle puts to the user: new since the baseline, or
// starting another command under the same name (then `old` is what it
// started before).
struct Asked {
  std::string entry;
  std::optional<StartedCommand> old;
};

std::vector<Asked> EntriesToAsk(const EntryTables& tables, const std::vector<std::string>& found,
                                const CommandTable& found_commands) {
  std::vector<Asked> asked;
  for (const auto& entry : found) {
    const auto* kind = KindOf(entry.empty() ? '\0' : entry[0]);
    if (!tables.baseline.Contains(entry)) {
      if (kind == nullptr || kind->asked_when_new) asked.push_back({entry, std::nullopt});
      continue;
    }
    const auto before = tables.baseline_commands.find(entry);
    const auto now = found_commands.find(entry);
    if (before == tables.baseline_commands.end() || now == found_commands.end() ||
        before->second.command == now->second.command) {
      continue;
    }
    if (kind == nullptr || kind->asked_when_changed_to == nullptr ||
        now->second.command == kind->asked_when_changed_to) {
      asked.push_back({entry, before->second});
    }
  }
  return asked;
}

// Between two entries: how far the cycle has come, with the window messages
// that wait handled. False when the program is ending.
bool StepOn(CycleContext& context, std::size_t done, std::size_t count) {
  if (context.progress == nullptr) return true;
  const auto text = FormatText(texts::kRemovalProgress, GroupedDigits(done));
  return context.progress->Step(FormatText(text.c_str(), GroupedDigits(count)));
}

// False when the program began to end before every entry was handled.
bool AskEach(CycleContext& context, const std::vector<Asked>& asked) {
  std::vector<std::string> keys;
  for (const auto& item : asked) {
    keys.push_back(SameTypeKey(context.platform, item.entry, item.old.has_value()));
  }
  // Counted from the end, so that a flood costs one pass, not one per entry.
  std::vector<std::size_t> same_after(asked.size());
  std::map<std::string, std::size_t> seen;
  for (auto at = asked.size(); at-- > 0;) same_after[at] = seen[keys[at]]++;
  for (std::size_t at = 0; at < asked.size(); ++at) {
    const AskPosition position{at + 1, asked.size(), same_after[at]};
    if (asked[at].old) {
      HandleChangedEntry(context, asked[at].entry, *asked[at].old, position);
    } else {
      HandleNewEntry(context, asked[at].entry, position);
    }
    if (!StepOn(context, at + 1, asked.size())) return false;
  }
  return true;
}

// The command the baseline keeps for an entry after a handled cycle: what
// the closing scan finds when it is what the user was asked about, knew
// already or had written back; otherwise (changed again while the user
// answered) what the user was asked about, so that the new change is asked
// about next time.
std::optional<StartedCommand> ClosingCommand(const CycleContext& context,
                                             const CommandTable& found_commands,
                                             const std::string& entry) {
  const auto& closing = context.tables.current_commands;
  const auto& before = context.tables.baseline_commands;
  const auto now = closing.find(entry);
  const auto asked = found_commands.find(entry);
  const auto known = before.find(entry);
  const auto written = context.written_back.find(entry);
  if (now == closing.end()) return std::nullopt;
  const auto same = [&now](const CommandTable& table, CommandTable::const_iterator it) {
    return it != table.end() && it->second.command == now->second.command;
  };
  if (same(found_commands, asked) || same(context.written_back, written) ||
      (asked == found_commands.end() && same(before, known))) {
    return now->second;
  }
  if (asked != found_commands.end()) return asked->second;
  if (known != before.end()) return known->second;
  return std::nullopt;
}

// The baseline after a cycle that handled entries: what the closing scan
// finds, less what appeared while the user answered (in neither the
// baseline nor the cycle's own scan, and not left by its own removals).
// Those are asked about in the next cycle instead of being taken unasked.
// The baseline compared with is the one of now: a Save while an alert was
// open retook it. The closing scan reads the rows that the cycle's scan
// read (the cycle asked about nothing else and removed nothing else); the
// others stay as that baseline has them. When the scan ends on an error,
// the baseline stays.
void TakeClosingBaseline(CycleContext& context, const std::vector<std::string>& found,
                         const CommandTable& found_commands, const RowSelection& rows) {
  auto& tables = context.tables;
  EntryTable seen;
  for (const auto& entry : found) seen.Append(entry);
  for (const auto& entry : context.left_by_removals) seen.Append(entry);
  FillCurrentInventory(context.platform, context.switches, tables, rows);
  EntryTable kept;
  CommandTable kept_commands;
  for (const auto& entry : tables.current.Entries()) {
    if (!tables.baseline.Contains(entry) && !seen.Contains(entry)) continue;
    kept.Append(entry);
    if (auto command = ClosingCommand(context, found_commands, entry)) {
      kept_commands[entry] = std::move(*command);
    }
  }
  tables.baseline.CopyFrom(kept);
  tables.baseline_commands = std::move(kept_commands);
}

// After every cycle; a file that cannot be written is reported once a run,
// since the watch itself goes on.
void KeepBaseline(CycleContext& context) {
  NoteFirstSeen(context.tables, context.clock.Now().sortable);
  if (context.saved_baseline == nullptr) return;
  try {
    context.saved_baseline->Save(context.switches, context.tables);
  } catch (const InOutError&) {
    if (context.save_failure_reported) return;
    context.save_failure_reported = true;
    const TimerHold hold(context.timer);
    context.boxes.ShowWarning(
        FormatText(texts::kSavedBaselineNotWritten, context.saved_baseline->path()));
  }
}

}  // namespace

void RunPollCycle(CycleContext& context, const RowSelection& rows) {
  // A tick that comes while a cycle waits for the user is dropped: a cycle
  // inside a cycle would ask twice and take its entries unasked.
  if (context.running) return;
  const Running running(context.running);
  auto& tables = context.tables;
  context.flags = CycleFlags{};
  context.not_removed.clear();
  context.left_by_removals.clear();
  context.written_back.clear();
  context.same_answers.clear();
  context.blacklist.reset();
  context.blacklist_hits.clear();
  FillCurrentInventory(context.platform, context.switches, tables, rows);
  // The cycle's own copy: a Save while an alert is open retakes the tables.
  const auto found = tables.current.Entries();
  const auto found_commands = tables.current_commands;
  const auto asked = EntriesToAsk(tables, found, found_commands);
  // Nothing new: what the scan found is the new baseline, as it stands.
  if (asked.empty()) {
    tables.baseline.CopyFrom(tables.current);
    tables.baseline_commands = found_commands;
    KeepBaseline(context);
    return;
  }
  bool whole = false;
  try {
    whole = AskEach(context, asked);
  } catch (...) {
    FinishRemovals(context);
    throw;
  }
  FinishRemovals(context);
  // The program is ending: what is left is asked about when it starts again.
  if (!whole) return;

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

  TakeClosingBaseline(context, found, found_commands, rows);
  KeepBaseline(context);
}

void RunPollCycleReportingErrors(CycleContext& context, const RowSelection& rows) {
  try {
    RunPollCycle(context, rows);
  } catch (const std::exception& error) {
    const TimerHold hold(context.timer);
    context.boxes.ShowError(error.what());
  }
}

}  // namespace corvane
