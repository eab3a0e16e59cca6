// Declining an INI line: only that line's value bytes may go.
#include <algorithm>
#include <vector>

#include "fuzz_support.h"
#include "removal/file_removals.h"

namespace corvane::fuzz {
namespace {

// The lines as the INI scanner reads them.
std::vector<std::string> ScannedLines(const FileSystem& files, const std::string& bytes) {
  auto lines = SplitTextLines(bytes);
  for (auto& line : lines) line = files.DecodeAnsi(line);
  return lines;
}

}  // namespace
}  // namespace corvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using namespace corvane;
  using namespace corvane::fuzz;
  FuzzedDataProvider data(bytes, size);
  const MemoryFileSystem files;
  const auto line = Text(data);
  const auto before = data.ConsumeRemainingBytesAsString();
  const auto after = StripIniEntry(files, before, line);

  // Bytes only go, and only value bytes before the first Ctrl-Z: no line
  // end, no CR, no Ctrl-Z, nothing behind it.
  const auto end_of_text = std::min(before.find('\x1A'), before.size());
  std::size_t kept = 0;
  for (std::size_t at = 0; at < before.size(); ++at) {
    if (kept < after.size() && after[kept] == before[at]) {
      ++kept;
      continue;
    }
    const char c = before[at];
    Require(at < end_of_text && c != '\n' && c != '\r', "only value bytes go");
  }
  Require(kept == after.size(), "nothing is added");
  Require(StripIniEntry(files, after, line) == after, "a second removal changes nothing");

  // The declined line is gone, unless it had no value to lose.
  const auto equals = line.find('=');
  if (equals == std::string::npos) Require(after == before, "a line without = changes nothing");
  const bool has_value = equals != std::string::npos && equals + 1 < line.size();
  if (has_value) {
    const auto lines = ScannedLines(files, after);
    Require(std::find(lines.begin(), lines.end(), line) == lines.end(), "the line is gone");
  }
  return 0;
}
