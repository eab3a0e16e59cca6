// What an entry starts, remembered for the kinds whose command can change
// under the same name, so that such a change is seen and can be undone.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>

#include "platform/registry.h"

namespace corvane {

struct StartedCommand {
  std::string command;  // as the alert shows it; compared to tell a change
  // What writes it back exactly: the registry value that holds the command
  // (a Run-type value, a service's ImagePath), or, with type 0, the
  // shortcut file's bytes.
  RawValue value;
  std::string file_bytes;
  // The shortcut's size and time when its bytes were read; not kept between runs.
  std::string file_stamp = {};
  // For a file whose bytes are what it starts: their SHA-256, the name of
  // the copy kept of them.
  std::string content_hash = {};
};

// What a registry value starts: its text, or "" for a value of another type,
// which names no command.
inline StartedCommand CommandOfValue(RawValue value) {
  auto text = TextOfRawValue(value).value_or("");
  return {std::move(text), std::move(value), {}};
}

// By startup entry; only entries whose command could be read are in it.
using CommandTable = std::unordered_map<std::string, StartedCommand>;

}  // namespace corvane
