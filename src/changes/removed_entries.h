// The removals that can be put back, as the window of removed entries
// lists and acts on them.
#pragma once

#include <string>
#include <vector>

namespace corvane {

struct RemovedEntry {
  std::string id;  // names the backup; stable while it is kept
  std::string date;  // when it was removed, in the user's date and time formats
  std::string type_text;
  std::string location;
  std::string command;  // "" when it was not known
  // Its backup was not written by Corvane for this user, or names a place
  // its entry has not: it can only be forgotten.
  bool damaged = false;
  // The value, subkey, file or task it was, without its place; "" when damaged.
  std::string name = {};
};

enum class PutBackOutcome {
  kPutBack,       // restored exactly, taken into the baseline, logged; the backup is gone
  kPlaceTaken,    // the place now holds something else; nothing was changed
  kAccessDenied,  // this account may not write there; nothing was changed
  kFailed,        // the backup could not be read or the writing failed
  kDamaged,       // the backup is damaged; nothing was changed
};

class RemovedEntries {
 public:
  virtual ~RemovedEntries() = default;
  // Newest first; a damaged backup too, so that it can be forgotten.
  virtual std::vector<RemovedEntry> List() = 0;
  virtual PutBackOutcome PutBack(const std::string& id) = 0;
  // Drops the backup (and a file kept for it); the entry stays removed.
  virtual void Forget(const std::string& id) = 0;
};

}  // namespace corvane
