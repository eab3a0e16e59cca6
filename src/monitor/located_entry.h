// An entry read back by its row: the place it names, so that the code that
// shows, removes, reverts or puts back an entry works from the row alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "monitor/entry_kinds.h"
#include "platform/registry.h"

namespace corvane {

struct LocatedEntry {
  const EntryKind* kind = nullptr;
  // Registry rows: the place, the view of it and the value the entry names.
  const RegistryPlace* place = nullptr;
  const WatchedValue* value = nullptr;  // kNamedValues, kSubkeyValues
  char root_code = 0;
  RegistryRoot root = RegistryRoot::kCurrentUser;
  std::string key_path;  // the key that holds the item (a subkey's parent)
  // The value or subkey name; for files, INI lines and tasks, the entry's text.
  std::string name;
  std::string data;  // what a value entry carries

  // The item's place in the registry, from the root: key path, "\", name.
  std::string RegistryPath() const { return key_path + '\\' + name; }
};

// No value for an entry that no row makes: an unknown type code, or a
// registry entry that names no key of its row (a value name may itself hold
// backslashes, so a Run-type entry is matched against its row's keys first,
// and split at its last backslash only when it matches none).
std::optional<LocatedEntry> Locate(const std::string& entry);

// How the windows name the item: a registry entry's value or subkey name,
// which may itself hold backslashes; of an INI line its value, which the
// location lacks; of a file or library item only the last part of its path.
// "" for an entry that no row makes.
std::string ShownNameOf(const std::string& entry);
std::string ShownNameOf(const LocatedEntry& located);

// The entries of the other rows that read the same subkeys and name the same
// one (a service's program and its DLL): what takes one away or puts it back
// does the same to them.
std::vector<std::string> EntriesOfSameSubkey(const std::string& entry);

// A registry value, from the root.
struct ValuePlace {
  RegistryRoot root;
  std::string key_path;
  std::string name;
};

// The registry value that holds what the entry starts, for the rows whose
// command is read from the registry (kValueData, kSubkeyValue, kClassServer).
std::optional<ValuePlace> CommandValueOf(const LocatedEntry& located);

}  // namespace corvane
