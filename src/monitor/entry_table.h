// A list of startup entries in the order they were appended. The tables grow
// as needed; a copy always takes exactly the other table's entries.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "monitor/started_command.h"

namespace corvane {

class EntryTable {
 public:
  void Reset();
  void Append(std::string entry);
  void CopyFrom(const EntryTable& other);

  std::size_t Count() const { return entries_.size(); }
  const std::string& At(std::size_t index) const { return entries_.at(index); }  // from 0
  const std::vector<std::string>& Entries() const { return entries_; }

  // Whether an equal entry (byte for byte) is in the table. Hashed, so that
  // finding the new entries of a scan stays linear in the number of entries.
  bool Contains(const std::string& entry) const;

 private:
  std::vector<std::string> entries_;
  mutable std::unordered_set<std::string> index_;  // built on the first lookup after a change
  mutable bool index_current_ = true;
};

// What the scanners find now and the last complete scan. A poll cycle walks
// a copy of its own, which nothing else can change while it runs.
// Beside each table, what its entries whose command can change start.
struct EntryTables {
  EntryTable current;
  EntryTable baseline;
  CommandTable current_commands;
  CommandTable baseline_commands;
  // The size and time of each file entry of the current table, as listed.
  std::unordered_map<std::string, std::string> current_stamps;
  // Which keys of the 32-bit registry view are the very keys of the 64-bit
  // one (true) or keys of their own (false), by root code and path: settled
  // once both are seen, since Windows never changes it while it runs.
  std::map<std::string, bool> shared_views;
  // Where the first bytes of the files whose content is watched are kept,
  // by their hash; "" keeps none.
  std::string kept_copies;
  // How long the last scan of each row took, in milliseconds, by type code:
  // a row that is slow to scan is rescanned less often on changes.
  std::map<char, unsigned> scan_ms;
  // When the baseline first held each of its entries ("YYYY-MM-DD hh:mm:ss"),
  // kept with the saved baseline.
  std::unordered_map<std::string, std::string> first_seen;
  // The subkeys each kSubkeys row counted in this scan, with their command.
  std::map<char, std::vector<std::pair<std::string, std::string>>> counted_subkeys;
};

}  // namespace corvane
