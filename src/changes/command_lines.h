// How a command is laid out on a few lines of a window so that the program
// it starts is never hidden: a command shortened at its end or by a blind
// "..." could show a harmless folder and hide the file that runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvane {

// How wide a text is drawn, in any unit the width is given in.
using TextMeasure = std::function<int(const std::string& text)>;

// The command on at most `max_lines` lines no wider than `width`, broken
// after path separators and blanks (within a name only when the name alone
// is wider than a line). When even that takes too many lines, the middle of
// the program's folder gives way to "..."; the program's file name and the
// start of its arguments stay; only then is the end of the arguments cut
// off, marked with "...". Never empty: "" gives one empty line.
std::vector<std::string> CommandLines(const std::string& command, int width, int max_lines,
                                      const TextMeasure& measure);

}  // namespace corvane
