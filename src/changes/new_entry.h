// What a poll cycle does with one entry that is new since the baseline: puts
// it to the user (or finds its name on the blacklist), has its removal action
// remove it when declined, then logs and flags what the action reports.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "changes/cycle_context.h"
#include "monitor/located_entry.h"
#include "removal/removal_result.h"

namespace corvane {

// An entry's place among those its cycle puts to the user.
struct AskPosition {
  std::size_t position = 1;
  std::size_t count = 1;
  std::size_t same_type_after = 0;  // entries of the same key that come after it
};

// How the alert and the log name an entry, from its row alone.
struct EntryTexts {
  std::string type_text;  // the alert's Type
  std::string location;   // the alert's Location
  std::string logged;     // what the log line names after its outcome
};
// No value for an entry that no row makes.
std::optional<EntryTexts> TextsOfEntry(const Environment& environment, const std::string& entry);
EntryTexts TextsOfEntry(const Environment& environment, const LocatedEntry& item);

// Entries with the same key may be given one answer: the same alert type,
// and new or changed alike.
std::string SameTypeKey(const Platform& platform, const std::string& entry, bool changed);

// An error of the blacklist write goes up; everything else is recorded.
void HandleNewEntry(CycleContext& context, const std::string& entry,
                    const AskPosition& position = {});

// An entry whose command changed under the same name: No writes the old
// command back, with a backup of the new one.
void HandleChangedEntry(CycleContext& context, const std::string& entry,
                        const StartedCommand& old, const AskPosition& position);

// The user removes a listed entry outside a cycle (from the list of
// startup entries): as No in an alert, a backup first, then the removal,
// logged and reported alike. `left` is what the removal put in its place
// (a default written back), which the user did not plant.
struct RequestedRemoval {
  RemovalResult result = RemovalResult::kRefused;
  std::string why;  // a refused one: why, when known
  std::optional<std::string> left;
};
RequestedRemoval RemoveOnRequest(Platform& platform, const DataFiles& data, const Clock& clock,
                                 BackupStore& store, const std::string& entry);

// After the cycle's last entry, also when an error ended the cycle: the
// backups of its removals flushed together, the blacklist's matches recorded
// and told in one notice, and the progress line gone.
void FinishRemovals(CycleContext& context);

}  // namespace corvane
