#include "monitor/entry_table.h"

#include <utility>

namespace corvane {

void EntryTable::Reset() {
  entries_.clear();
  index_.clear();
  index_current_ = true;
}

void EntryTable::Append(std::string entry) {
  entries_.push_back(std::move(entry));
  index_current_ = false;
}

void EntryTable::CopyFrom(const EntryTable& other) {
  if (this == &other) return;
  entries_ = other.entries_;
  index_current_ = false;
}

bool EntryTable::Contains(const std::string& entry) const {
  if (!index_current_) {
    index_.clear();
    index_.insert(entries_.begin(), entries_.end());
    index_current_ = true;
  }
  return index_.count(entry) != 0;
}

}  // namespace corvane
