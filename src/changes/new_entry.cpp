#include "changes/new_entry.h"

#include <functional>
#include <optional>
#include <utility>

#include "changes/activity_log.h"
#include "changes/alert.h"
#include "changes/blacklist.h"
#include "changes/entry_commands.h"
#include "changes/blacklist_matches.h"
#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "platform/errors.h"
#include "platform/unicode.h"
#include "removal/backup_store.h"
#include "removal/file_removals.h"
#include "removal/revert_change.h"
#include "removal/registry_removals.h"
#include "removal/task_removals.h"
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

const char* ValueWithDataType(char type_code) {
  switch (type_code) {
    case entry_type::kWinlogonValue:
      return texts::kWinlogonType;
    case entry_type::kDebuggerValue:
      return texts::kDebuggerType;
    default:
      return texts::kAppInitType;
  }
}

// The dispatch table: the entry type code picks the texts and the action.
NewEntry Describe(const Platform& platform, const std::string& entry) {
  auto& registry = platform.registry;
  auto& files = platform.files;
  const auto& environment = platform.environment;
  const auto rest = entry.substr(1);
  switch (entry[0]) {
    case entry_type::kLocalMachineRunValue:
    case entry_type::kCurrentUserRunValue: {
      const auto name = LocateRunValue(entry).value_name;
      return {texts::kRegistryStartupType, InRegistry(entry[0], rest),
              texts::kRegistryStartupLogged + name,
              texts::kUserInvokedRegistrySuffix, true, name,
              [&registry, entry](BackupKeeper& keeper) {
                return RemoveRegistryStartup(registry, keeper, entry);
              }};
    }
    case entry_type::kStartupFolderFile:
      return {texts::kStartupFolderType, rest, texts::kStartupFolderFileLogged + FinalNamePart(rest),
              texts::kUserInvokedSuffix, false, "",
              [&files, rest](BackupKeeper& keeper) {
                return RemoveStartupFolderFile(files, keeper, rest);
              }};
    case entry_type::kService:
      return {texts::kRegistryServiceType,
              InRegistry(kLocalMachineRootCode, std::string(locations::kServicesKey) + '\\' + rest),
              texts::kServiceStartupLogged + rest,
              texts::kUserInvokedSuffix, false, "",
              [&registry, rest](BackupKeeper& keeper) {
                return RemoveServiceStartup(registry, keeper, rest);
              }};
    case entry_type::kWinIniLine:
    case entry_type::kSystemIniLine: {
      const std::string ini =
          entry[0] == entry_type::kWinIniLine ? locations::kWinIni : locations::kSystemIni;
      const auto equals = rest.find('=');
      const auto value = equals == std::string::npos ? rest : rest.substr(equals + 1);
      const auto location = environment.Get(locations::kWindowsDirectoryVariable) + '\\' + ini +
                            texts::kIniLocationSeparator + rest.substr(0, equals + 1);
      return {ini + texts::kIniFileTypeSuffix, location, texts::kIniStartupLogged + value,
              texts::kUserInvokedSuffix, false, "",
              [&files, &environment, ini, rest](BackupKeeper& keeper) {
                return RemoveIniStartup(files, environment, keeper, ini, rest);
              }};
    }
    case entry_type::kRegistryStringValue:
      return {texts::kRegistryType,
              InRegistry(locations::kStartPageRootCode, std::string(locations::kStartPageKey) +
                                                            '\\' + locations::kStartPageValue),
              texts::kStartPageLogged,
              texts::kUserInvokedSuffix, false, "",
              [&registry](BackupKeeper& keeper) { return RemoveIEStartPage(registry, keeper); }};
    case entry_type::kBrowserHelper:
      return {texts::kRegistryType, InRegistry(kLocalMachineRootCode, BrowserHelperKey(rest)),
              texts::kBrowserHelperLogged,
              texts::kUserInvokedSuffix, false, "",
              [&registry, rest](BackupKeeper& keeper) {
                return RemoveIEBHO(registry, keeper, rest);
              }};
    case entry_type::kWinlogonValue:
    case entry_type::kDebuggerValue:
    case entry_type::kAppInitValue: {
      const auto value = LocateValueWithData(entry);
      if (!value) return {};
      const auto type = ValueWithDataType(entry[0]);
      const auto location = value->key_path + '\\' + value->value_name;
      return {type,
              InRegistry(value->root_code, location),
              LoggedAs(type, location, value->data),
              texts::kUserInvokedSuffix,
              false,
              "",
              [&registry, &environment, entry](BackupKeeper& keeper) {
                return RemoveValueWithData(registry, environment, keeper, entry);
              }};
    }
    case entry_type::kScheduledTask: {
      auto& tasks = platform.tasks;
      return {texts::kScheduledTaskType,
              rest,
              LoggedAs(texts::kScheduledTaskType, rest),
              texts::kUserInvokedSuffix,
              false,
              "",
              [&tasks, rest](BackupKeeper& keeper) {
                return RemoveScheduledTask(tasks, keeper, rest);
              }};
    }
    default:
      return {};  // no scanner makes any other entry
  }
}

// What a removal leaves in the declined entry's place, as the scanners would
// record it: an INI line's key and "=", Winlogon's default.
std::optional<std::string> EntryLeftBy(const Environment& environment, const std::string& entry) {
  switch (entry[0]) {
    case entry_type::kWinIniLine:
    case entry_type::kSystemIniLine:
      return MakeEntry(entry[0], IniLineLeftByRemoval(entry.substr(1)));
    case entry_type::kWinlogonValue:
      return EntryLeftByValueRemoval(environment, entry);
    default:
      return std::nullopt;  // deleted, disabled or emptied: nothing left to record
  }
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
BackupHeader BackupHeaderOf(const CycleContext& context, const std::string& entry,
                            const NewEntry& item, const std::string& command) {
  const auto now = context.clock.Now();
  return {now.date + ' ' + now.time, now.sortable, item.type_text, item.location_text, command,
          entry, item.logged};
}

// Logs the outcome and sets the flags, the same way for every kind of entry.
void Record(CycleContext& context, const std::string& entry, const NewEntry& item,
            RemovalResult result, const char* suffix, const Outcomes& outcomes = kRemovalOutcomes) {
  const bool gone = result != RemovalResult::kRefused;
  const std::string outcome = gone ? outcomes.done : outcomes.refused;
  WriteLog(context.platform.files, context.data.Log(),
           ComposeLogLine(context.clock, outcome + item.logged + suffix));
  if (gone) {
    context.flags.removal = 1;
    if (auto left = EntryLeftBy(context.platform.environment, entry)) {
      context.left_by_removals.push_back(std::move(*left));
    }
  } else {
    context.flags.failure = 1;
    context.not_removed.push_back(Printable(item.location_text));
  }
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
  const auto answer = ShowAlert(context.alert, context.timer, context.boxes, facts());
  if (answer.same_for_rest) context.same_answers[key] = answer.remove;
  return {answer.remove, true};
}

AlertFacts FactsOf(const Platform& platform, const NewEntry& item, const std::string& entry,
                   const AskPosition& position) {
  AlertFacts facts;
  facts.type_text = item.type_text;
  facts.location = item.location_text;
  facts.command = CommandOf(platform, entry);
  facts.publisher = PublisherOf(platform, facts.command);
  facts.position = position.position;
  facts.count = position.count;
  facts.same_type_after = position.same_type_after;
  return facts;
}

// A blacklisted value was acted on unasked: the tray icon says so, and the
// editor can show the match.
void TellBlacklisted(CycleContext& context, const std::string& name, RemovalResult result) {
  RecordBlacklistMatch(context.platform.files, context.data.BlacklistMatches(), name,
                       context.clock.Now().sortable);
  const bool gone = result != RemovalResult::kRefused;
  context.notices.Notify(FormatText(
      gone ? texts::kBlacklistRemovedNotice : texts::kBlacklistNotRemovedNotice, Printable(name)));
}

}  // namespace

std::string SameTypeKey(const Platform& platform, const std::string& entry, bool changed) {
  if (entry.empty()) return {};
  return (changed ? "changed " : "new ") + Describe(platform, entry).type_text;
}

void HandleNewEntry(CycleContext& context, const std::string& entry, const AskPosition& position) {
  if (entry.empty()) return;
  const auto item = Describe(context.platform, entry);
  if (!item.remove) return;
  auto& files = context.platform.files;
  const auto list = context.data.Blacklist();

  const char* suffix = item.suffix;
  Answer answer;
  const bool blacklisted = item.run_value && IsBlacklisted(files, list, item.value_name);
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
  if (answer.remove) {
    BackupStore store(files, context.data.folder);
    StoreKeeper keeper(store, BackupHeaderOf(context, entry, item,
                                             CommandOf(context.platform, entry)));
    const auto result = item.remove(keeper);
    Record(context, entry, item, result, suffix);
    if (blacklisted) TellBlacklisted(context, item.value_name, result);
  }

  // Acted on whatever the answer was; a failure to write the list goes up.
  auto& alert = context.alert;
  if (answer.shown && item.run_value && alert.DoNotAskChecked() && alert.DoNotAskEnabled()) {
    AddToBlacklist(files, list, item.value_name);
    alert.ClearDoNotAsk();
  }
}

void HandleChangedEntry(CycleContext& context, const std::string& entry,
                        const StartedCommand& old, const AskPosition& position) {
  const auto item = Describe(context.platform, entry);
  if (!item.remove) return;
  const auto answer = Ask(context, SameTypeKey(context.platform, entry, true), [&] {
    auto facts = FactsOf(context.platform, item, entry, position);
    facts.changed = true;
    facts.old_command = old.command;
    return facts;
  });
  if (!answer.remove) return;
  BackupStore store(context.platform.files, context.data.folder);
  StoreKeeper keeper(store, BackupHeaderOf(context, entry, item,
                                           CommandOf(context.platform, entry)));
  const auto result = RevertChange(context.platform, keeper, entry, old);
  if (result != RemovalResult::kRefused) context.written_back[entry] = old;
  Record(context, entry, item, result, item.suffix, kRevertOutcomes);
}

}  // namespace corvane
