// What a startup entry starts and who published it, for the alert, and the
// commands remembered so that a change under the same name is seen.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "changes/command_line.h"
#include "monitor/started_command.h"
#include "platform/platform.h"

namespace corvane {

// What the entry starts, as the alert shows it; "" when that cannot be told.
// Run-type values and services give their (string) data unexpanded, a
// Startup shortcut its target and arguments, any other Startup file itself,
// an INI line the text after its "=", a browser helper object its server
// DLL, a scheduled task its first program action, the other types the data
// they carry.
std::string CommandOf(const Platform& platform, const std::string& entry);

// The program file a command names and the company that published it.
struct StartedProgram {
  std::string path;       // as NamedProgram gives it: also a missing file; "" when none is named
  std::string publisher;  // its version information's; "" when none can be told
};
StartedProgram StartedProgramOf(const Platform& platform, const std::string& command);

// The commands of the entries whose command can change under the same name:
// Run-type values, services and Startup shortcuts, each with what writes it
// back exactly (a shortcut that is no readable link with an empty command).
// Entries that cannot be read at all are left out.
// A shortcut whose bytes are those `known` holds for it keeps the known
// command without being read as a link again: this runs at every cycle. One
// whose size and time in `stamps` are those it had when `known` read it is
// not read at all. A file whose bytes are watched starts its bytes (their
// size and hash); the bytes first seen are kept in `kept_copies`, named by
// their hash, unless that is "".
CommandTable RememberCommands(const Platform& platform, const std::vector<std::string>& entries,
                              const CommandTable& known = CommandTable(),
                              const std::unordered_map<std::string, std::string>& stamps = {},
                              const std::string& kept_copies = "");

}  // namespace corvane
