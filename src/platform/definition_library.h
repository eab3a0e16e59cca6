// A library of named definitions that Windows acts on by itself, as the
// account Corvane runs under sees it: the Task Scheduler's tasks (named by
// their full path, "\Folder\Name"; defined by their XML) and WMI's permanent
// event subscriptions (named and defined as in event_subscription.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Which library a row of the table reads.
enum class Library { kTasks, kEventSubscriptions };

class DefinitionLibrary {
 public:
  virtual ~DefinitionLibrary() = default;

  // Every item this account can see, hidden ones included, in the library's
  // order (tasks folder by folder from the root: a folder's tasks, then each
  // of its subfolders in turn). A part this account may not read contributes
  // nothing. No value when the library itself cannot be reached.
  virtual std::optional<std::vector<std::string>> Names() = 0;

  // Whether an item of exactly that name is there; no value when the library
  // cannot be reached, so that nobody takes an item for gone.
  virtual std::optional<bool> Has(const std::string& name) = 0;

  // Deletes the item. True when this call deleted it; never raises.
  virtual bool Delete(const std::string& name) = 0;

  // The item's definition; no value when there is no such item or the
  // library cannot be reached.
  virtual std::optional<std::string> Definition(const std::string& name) = 0;

  // Registers the definition under that name when no item has it. True when
  // this call registered it; never raises.
  virtual bool Register(const std::string& name, const std::string& definition) = 0;
};

}  // namespace corvane
