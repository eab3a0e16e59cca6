// The baseline kept in the data folder, so that what was planted while
// Corvane was not running is put to the user at its next start.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "monitor/area_switches.h"
#include "monitor/entry_table.h"
#include "platform/file_system.h"
#include "removal/record_seal.h"

namespace corvane {

// Which areas were watched, one character each ("1" on, "0" off); a
// baseline taken with other switches tells nothing of the areas that differ.
std::string SwitchesSignature(const AreaSwitches& switches);

struct SavedBaseline {
  std::string switches;
  int places_version = 1;  // kPlacesVersion when it was taken
  EntryTable entries;
  CommandTable commands;
  std::unordered_map<std::string, std::string> first_seen;
};

// The saved baseline becomes the tables' baseline, with its commands and
// first sightings.
void UseSavedBaseline(SavedBaseline saved, EntryTables& tables);

// Notes the time as the first sighting of every baseline entry that has
// none, and forgets those of entries the baseline no longer holds.
void NoteFirstSeen(EntryTables& tables, const std::string& now);

// The file's text for a baseline and back. Every field is written with its
// control characters, "%" and bytes that are no text escaped as %XX, so
// that any entry survives; Parse raises InOutError for a text that is not
// such a file (another version, cut short, edited).
std::string FormatSavedBaseline(const std::string& switches, const EntryTables& tables);
SavedBaseline ParseSavedBaseline(const std::string& text);

// Keeps the baseline in one file, sealed: written whole beside it and put
// in its place in one step, and only when it changed.
class BaselineFile {
 public:
  BaselineFile(FileSystem& files, std::string path, RecordSeal seal)
      : files_(files), path_(std::move(path)), seal_(std::move(seal)) {}

  // No value when there is no file. Raises InOutError when there is one
  // that cannot be read or understood, or that does not bear the seal.
  std::optional<SavedBaseline> Load();

  // Raises InOutError when the file cannot be written.
  void Save(const AreaSwitches& switches, const EntryTables& tables);

  // Seals the file when an earlier version wrote it, without a seal, and it
  // can be read; any other file stays as it is.
  void SealEarlierFile();

  const std::string& path() const { return path_; }

 private:
  FileSystem& files_;
  std::string path_;
  RecordSeal seal_;
  std::string written_;  // what the file holds since this run last wrote it
};

}  // namespace corvane
