// What the command line can ask for instead of the notification-area icon:
// `/export <file>` writes every startup entry to the file, `/?` lists the
// switches. Both run without any window of Corvane's, and whether another
// copy runs in the session does not matter.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

inline constexpr int kExitDone = 0;
inline constexpr int kExitBadArgument = 2;
inline constexpr int kExitNotWritten = 3;

// The arguments after the program's name. No value: none was given, and
// Corvane starts as usual; else the exit code.
std::optional<int> RunCommandSwitches(const std::vector<std::string>& arguments);

// The program's arguments, as UTF-8.
std::vector<std::string> CommandArguments();

}  // namespace corvane
