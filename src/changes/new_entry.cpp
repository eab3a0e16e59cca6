#include "changes/new_entry.h"

#include <functional>
#include <optional>
#include <utility>

#include "changes/activity_log.h"
#include "changes/alert.h"
#include "changes/blacklist.h"
#include "changes/blacklist_matches.h"
#include "changes/entry_commands.h"
#include "monitor/approved_state.h"
#include "monitor/autostart_locations.h"
#include "monitor/located_entry.h"
#include "monitor/startup_entry.h"
#include "platform/errors.h"
#include "platform/unicode.h"
#include "removal/backup_store.h"
#include "removal/entry_removal.h"
#include "removal/registry_places.h"
#include "removal/revert_change.h"
#include "texts.h"

namespace corvane {

namespace {

// One new entry as the user and the log meet it, and how it is removed.
struct NewEntry {
  std::string type_text;      // the alert's Type
  std::string location_text;  // the alert's Location
  std::string logged;         // what the log line names after its outcome
  const char* suffix = texts::kUserInvokedSuffix;
  bool run_value = false;  // a Run-type value, which the blacklist can hold
  std::string value_name;
  bool one_by_one = false;                             // never given the answer of another entry
  std::function<RemovalResult(BackupKeeper&)> remove;  // keeps its backup first
};

// The path's last part: the text after its last "\" or ":".
std::string FinalNamePart(const std::string& path) {
  const auto separator = path.find_last_of("\\:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// A kind that the log names by its Type and location, with the data it
// carries in brackets.
std::string LoggedAs(const char* type_text, const std::string& location,
                     const std::string& data = "") {
  auto logged = type_text + (texts::kLoggedTypeSeparator + location);
  if (!data.empty()) logged += texts::kLoggedDataOpen + data + texts::kLoggedDataClose;
  return logged;
}

// A registry location with its root named in full.
std::string InRegistry(char root_code, const std::string& path) {
  return (root_code == kLocalMachineRootCode ? texts::kLocalMachineRootName
                                             : texts::kCurrentUserRootName) +
         path;
}

std::string IniValue(const std::string& line) {
  const auto equals = line.find('=');
  return equals == std::string::npos ? line : line.substr(equals + 1);
}

// Where the alert says the entry is.
std::string LocationOf(const Environment& environment, const LocatedEntry& item) {
  const auto& kind = *item.kind;
  if (!kind.keys.empty()) return InRegistry(item.root_code, item.RegistryPath());
  if (kind.ini_lines.empty()) return item.name;
  return environment.Get(locations::kWindowsDirectoryVariable) + '\\' +
         kind.ini_lines.front().file + texts::kIniLocationSeparator +
         item.name.substr(0, item.name.find('=') + 1);
}

// What the log line names after its outcome.
std::string LoggedOf(const LocatedEntry& item) {
  const auto& kind = *item.kind;
  if (kind.logged == nullptr) {
    return LoggedAs(kind.type_text.c_str(), kind.keys.empty() ? item.name : item.RegistryPath(),
                    item.data);
  }
  switch (kind.logged_item) {
    case EntryKind::LoggedItem::kNothing:
      break;
    case EntryKind::LoggedItem::kName:
      return kind.logged + item.name;
    case EntryKind::LoggedItem::kFileName:
      return kind.logged + FinalNamePart(item.name);
    case EntryKind::LoggedItem::kIniValue:
      return kind.logged + IniValue(item.name);
  }
  return kind.logged;
}

// The entry as its row describes it; nothing to remove for one no row makes.
NewEntry Describe(const Platform& platform, const std::string& entry) {
  const auto item = Locate(entry);
  if (!item) return {};
  const auto& kind = *item->kind;
  return {kind.type_text,
          LocationOf(platform.environment, *item),
          LoggedOf(*item),
          kind.blacklistable ? texts::kUserInvokedRegistrySuffix : texts::kUserInvokedSuffix,
          kind.blacklistable,
          kind.blacklistable ? item->name : "",
          kind.ask_one_by_one,
          [platform = Platform(platform), entry](BackupKeeper& keeper) mutable {
            return RemoveEntry(platform, keeper, entry);
          }};
}

// The outcome texts of a log line: a removal's, or a change written back.
struct Outcomes {
  const char* done;
  const char* refused;
};
constexpr Outcomes kRemovalOutcomes{texts::kDeleted, texts::kCouldNotDelete};
constexpr Outcomes kRevertOutcomes{texts::kChangedBack, texts::kCouldNotChangeBack};

// The header of the backup that the entry's removal keeps; `command` is
// what the entry starts, as the alert shows it.
BackupHeader BackupHeaderOf(const Clock& clock, const std::string& entry, const NewEntry& item,
                            const std::string& command) {
  const auto now = clock.Now();
  return {now.date + ' ' + now.time,
          now.sortable,
          item.type_text,
          item.location_text,
          command,
          entry,
          item.logged};
}

// Logs the outcome and sets the flags, the same way for every kind of entry;
// `not_kept_in` names the folder where its backup could not be kept, which
// is why it stays.
// Reports the outcome to the event log and writes its log line; returns
// why a refused removal left the entry ("" when no reason is known).
std::string LogOutcome(const Platform& platform, const DataFiles& data, const Clock& clock,
                       const NewEntry& item, RemovalResult result, const char* suffix,
                       const StoreKeeper& keeper, const Outcomes& outcomes) {
  const auto& not_kept_in = keeper.not_kept_in();
  const bool gone = result != RemovalResult::kRefused;
  ReportDecision(platform,
                 !gone                                         ? Decision::kNotRemoved
                 : suffix == texts::kBlacklistedRegistrySuffix ? Decision::kRemovedAsBlacklisted
                                                               : Decision::kRemoved,
                 {item.type_text, item.location_text, keeper.header().command});
  const std::string outcome = gone ? outcomes.done : outcomes.refused;
  auto why = gone || not_kept_in.empty()
                 ? std::string()
                 : FormatText(texts::kNoBackupReason, Printable(not_kept_in));
  const auto logged_why = why.empty() ? why : texts::kLoggedReasonSeparator + why;
  WriteLog(platform.files, data.Log(),
           ComposeLogLine(clock, outcome + item.logged + logged_why + suffix));
  return why;
}

void Record(CycleContext& context, const std::string& entry, const NewEntry& item,
            RemovalResult result, const char* suffix, const StoreKeeper& keeper,
            const Outcomes& outcomes = kRemovalOutcomes) {
  const bool gone = result != RemovalResult::kRefused;
  const auto why = LogOutcome(context.platform, context.data, context.clock, item, result, suffix,
                              keeper, outcomes);
  if (gone) {
    context.flags.removal = 1;
    if (auto left = EntryLeftByRemoval(context.platform.environment, entry)) {
      context.left_by_removals.push_back(std::move(*left));
    }
  } else {
    context.flags.failure = 1;
    context.not_removed.push_back(Printable(item.location_text) +
                                  (why.empty() ? why : texts::kNotRemovedBecause + why));
  }
}

// A new or changed entry that the user (or the same answer) kept.
void ReportKept(const CycleContext& context, const NewEntry& item, const std::string& entry) {
  ReportDecision(context.platform, Decision::kKept,
                 {item.type_text, item.location_text, CommandOf(context.platform, entry)});
}

struct Answer {
  bool remove = false;
  bool shown = false;  // the user saw the alert (and could tick its boxes)
};

// The answer given for all the remaining entries of this key, or the user's
// answer to the alert; the facts are gathered only when the alert is shown.
Answer Ask(CycleContext& context, const std::string& key,
           const std::function<AlertFacts()>& facts) {
  const auto given = context.same_answers.find(key);
  if (given != context.same_answers.end()) return {given->second, false};
  if (context.progress != nullptr) context.progress->End();
  const auto shown = facts();
  ReportDecision(context.platform, Decision::kAsked,
                 {shown.type_text, shown.location, shown.command});
  const auto answer = ShowAlert(context.alert, context.timer, context.boxes, shown);
  if (answer.same_for_rest) context.same_answers[key] = answer.remove;
  return {answer.remove, true};
}

bool DisabledInTaskManager(const Platform& platform, const std::string& entry) {
  const auto item = Locate(entry);
  const auto place = item ? ApprovedValueOf(*item, platform.environment) : std::nullopt;
  if (!place) return false;
  const auto raw = ReadRawAt(platform.registry, place->root, place->key_path, place->name);
  return raw && std::string(ApprovedStateText(*raw)) == texts::kApprovedDisabled;
}

AlertFacts FactsOf(const Platform& platform, const NewEntry& item, const std::string& entry,
                   const AskPosition& position) {
  AlertFacts facts;
  facts.type_text = item.type_text;
  if (DisabledInTaskManager(platform, entry)) facts.type_text += texts::kDisabledInTaskManager;
  facts.location = item.location_text;
  facts.command = CommandOf(platform, entry);
  auto program = StartedProgramOf(platform, facts.command);
  facts.program = std::move(program.path);
  facts.publisher = std::move(program.publisher);
  facts.position = position.position;
  facts.count = position.count;
  facts.same_type_after = item.one_by_one ? 0 : position.same_type_after;
  return facts;
}

// The cycle's store: its records are written as the removals go and
// flushed together when the cycle ends.
BackupStore& CycleStore(CycleContext& context) {
  if (!context.backups) {
    context.backups.emplace(context.platform.files, context.platform.environment,
                            context.data.folder, context.data.seal);
    context.backups->DeferFlushes();
  }
  return *context.backups;
}

// Read once a cycle: a flood of values is checked against one reading.
bool Blacklisted(CycleContext& context, const std::string& name) {
  if (!context.blacklist) {
    context.blacklist = BlacklistedNames(context.platform.files, context.data.Blacklist());
  }
  return context.blacklist->count(BlacklistName(name)) != 0;
}

// One part of the cycle's notice: the name when there is one, else how many.
std::string NoticePart(const std::vector<BlacklistHit>& hits, bool removed, const char* one,
                       const char* many) {
  std::size_t count = 0;
  const BlacklistHit* hit = nullptr;
  for (const auto& each : hits) {
    if (each.removed != removed) continue;
    ++count;
    hit = &each;
  }
  if (count == 0) return "";
  return count == 1 ? FormatText(one, Printable(hit->name))
                    : FormatText(many, GroupedDigits(count));
}

}  // namespace

std::optional<EntryTexts> TextsOfEntry(const Environment& environment, const std::string& entry) {
  const auto item = Locate(entry);
  if (!item) return std::nullopt;
  return TextsOfEntry(environment, *item);
}

EntryTexts TextsOfEntry(const Environment& environment, const LocatedEntry& item) {
  return {item.kind->type_text, LocationOf(environment, item), LoggedOf(item)};
}

std::string SameTypeKey(const Platform& platform, const std::string& entry, bool changed) {
  if (entry.empty()) return {};
  return (changed ? "changed " : "new ") + Describe(platform, entry).type_text;
}

void HandleNewEntry(CycleContext& context, const std::string& entry, const AskPosition& position) {
  if (entry.empty()) return;
  const auto item = Describe(context.platform, entry);
  if (!item.remove) return;
  auto& files = context.platform.files;

  const char* suffix = item.suffix;
  Answer answer;
  const bool blacklisted = item.run_value && Blacklisted(context, item.value_name);
  if (blacklisted) {
    context.flags.blacklist_hit = 1;
    suffix = texts::kBlacklistedRegistrySuffix;
    answer.remove = true;
  } else {
    answer = Ask(context, SameTypeKey(context.platform, entry, false), [&] {
      auto facts = FactsOf(context.platform, item, entry, position);
      facts.offer_do_not_ask = item.run_value && CanBeBlacklisted(item.value_name);
      return facts;
    });
  }
  if (!answer.remove) {
    ReportKept(context, item, entry);
  } else {
    StoreKeeper keeper(CycleStore(context), BackupHeaderOf(context.clock, entry, item,
                                                           CommandOf(context.platform, entry)));
    const auto result = item.remove(keeper);
    Record(context, entry, item, result, suffix, keeper);
    if (blacklisted) {
      context.blacklist_hits.push_back({item.value_name, result != RemovalResult::kRefused});
    }
  }

  // With No the name goes on the blacklist; with Yes the entry is kept and
  // nothing is blacklisted, since the program that wrote it will write it
  // again (updates do) and must not lose it unasked. A failure to write the
  // list goes up.
  auto& alert = context.alert;
  if (answer.shown && item.run_value && alert.DoNotAskChecked() && alert.DoNotAskEnabled()) {
    if (answer.remove) {
      context.blacklist.reset();
      AddToBlacklist(files, context.data.Blacklist(), item.value_name);
    }
    alert.ClearDoNotAsk();
  }
}

void HandleChangedEntry(CycleContext& context, const std::string& entry, const StartedCommand& old,
                        const AskPosition& position) {
  const auto item = Describe(context.platform, entry);
  if (!item.remove) return;
  const auto answer = Ask(context, SameTypeKey(context.platform, entry, true), [&] {
    auto facts = FactsOf(context.platform, item, entry, position);
    facts.changed = true;
    facts.old_command = old.command;
    return facts;
  });
  if (!answer.remove) {
    ReportKept(context, item, entry);
    return;
  }
  StoreKeeper keeper(CycleStore(context), BackupHeaderOf(context.clock, entry, item,
                                                         CommandOf(context.platform, entry)));
  const auto result =
      RevertChange(context.platform, keeper, entry, old, context.tables.kept_copies);
  if (result != RemovalResult::kRefused) context.written_back[entry] = old;
  Record(context, entry, item, result, item.suffix, keeper, kRevertOutcomes);
}

RequestedRemoval RemoveOnRequest(Platform& platform, const DataFiles& data, const Clock& clock,
                                 BackupStore& store, const std::string& entry) {
  RequestedRemoval done;
  const auto item = Describe(platform, entry);
  if (!item.remove) return done;
  StoreKeeper keeper(store, BackupHeaderOf(clock, entry, item, CommandOf(platform, entry)));
  done.result = item.remove(keeper);
  done.why = LogOutcome(platform, data, clock, item, done.result, texts::kUserInvokedSuffix, keeper,
                        kRemovalOutcomes);
  if (done.result != RemovalResult::kRefused) {
    done.left = EntryLeftByRemoval(platform.environment, entry);
  }
  return done;
}

void FinishRemovals(CycleContext& context) {
  if (context.backups) {
    context.backups->FlushRecords([&context] {
      if (context.progress != nullptr) context.progress->Step("");
    });
    context.backups.reset();
  }
  if (context.progress != nullptr) context.progress->End();
  // A blacklisted value was acted on unasked: the editor can show the
  // match, and the tray icon says so, once for the whole cycle.
  auto& hits = context.blacklist_hits;
  if (hits.empty()) return;
  std::vector<std::string> names;
  for (const auto& hit : hits) names.push_back(hit.name);
  RecordBlacklistMatches(context.platform.files, context.data.BlacklistMatches(), names,
                         context.clock.Now().sortable);
  auto notice =
      NoticePart(hits, true, texts::kBlacklistRemovedNotice, texts::kBlacklistRemovedCountNotice);
  const auto not_removed = NoticePart(hits, false, texts::kBlacklistNotRemovedNotice,
                                      texts::kBlacklistNotRemovedCountNotice);
  if (!notice.empty() && !not_removed.empty()) notice += texts::kNoticeLineBreak;
  context.notices.Notify(notice + not_removed);
  hits.clear();
}

}  // namespace corvane
