// Which program file a command line starts, found the way Windows finds it,
// so that the alert can name the program's publisher.
#pragma once

#include <string>

#include "platform/platform.h"

namespace corvane {

// The text with every %NAME% of a set variable replaced by its value; an
// unset one stays as written, as Windows leaves it.
std::string ExpandVariables(const Environment& environment, const std::string& text);

// The full path of the program file the command line starts; "" when it
// cannot be told or the file does not exist. Variables are expanded first.
// An unquoted path with blanks is tried up to each blank in turn, the first
// existing file winning; the forms services use ("\SystemRoot\...",
// "\??\C:\...", "system32\...") are understood; ".exe" is tried for a name
// without extension; a name without folder is searched for. For rundll32
// the program is the DLL named in its first argument.
std::string ProgramOfCommand(const Platform& platform, const std::string& command);

// The program file the command names: the one ProgramOfCommand finds, else
// the full path the command starts with (quoted or up to its first blank)
// where no file is, so that a missing program can be told apart from one
// that cannot be told; "" for neither, and for an existing folder's path.
std::string NamedProgram(const Platform& platform, const std::string& command);

}  // namespace corvane
