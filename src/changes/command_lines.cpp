#include "changes/command_lines.h"

#include <cstddef>
#include <utility>

#include "texts.h"

namespace corvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where the character after the one at `at` starts.
std::size_t NextCharacter(const std::string& text, std::size_t at) {
  ++at;
  while (at < text.size() && IsContinuation(text[at])) ++at;
  return at;
}

std::string TrimmedEnd(const std::string& text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string::npos ? "" : text.substr(0, end + 1);
}

// Pieces that each end where a line may: after a blank, or after a
// separator that is not a switch's "/" (a line ending in "/" with
// "interval=1" on the next would read as two arguments).
std::vector<std::string> Pieces(const std::string& text) {
  std::vector<std::string> pieces;
  std::size_t begin = 0;
  for (std::size_t index = 0; index < text.size(); ++index) {
    const bool starts_switch = text[index] == '/' && (index == 0 || text[index - 1] == ' ');
    if ((IsSeparator(text[index]) && !starts_switch) || text[index] == ' ') {
      pieces.push_back(text.substr(begin, index + 1 - begin));
      begin = index + 1;
    }
  }
  if (begin < text.size()) pieces.push_back(text.substr(begin));
  return pieces;
}

class Wrapper {
 public:
  Wrapper(int width, const TextMeasure& measure) : width_(width), measure_(measure) {}

  bool Fits(const std::string& text) const { return measure_(TrimmedEnd(text)) <= width_; }

  // The text broken into lines; stops once there are more than `limit`,
  // since a hostile command can be tens of thousands of characters long.
  std::vector<std::string> Wrap(const std::string& text, std::size_t limit) const {
    std::vector<std::string> lines;
    std::string current;
    for (std::string piece : Pieces(text)) {
      if (lines.size() > limit) break;
      if (Fits(current + piece)) {
        current += piece;
        continue;
      }
      if (Fits(piece)) {
        lines.push_back(TrimmedEnd(current));
        current = piece;
        continue;
      }
      // A name wider than a line is broken where it must, between
      // characters, its start filling the line begun.
      while (!Fits(current + piece) && lines.size() <= limit) {
        std::size_t cut = LongestFittingPrefix(current, piece);
        if (cut == 0 && !current.empty()) {
          lines.push_back(TrimmedEnd(current));
          current.clear();
          continue;
        }
        if (cut == 0) cut = NextCharacter(piece, 0);  // every line takes something
        lines.push_back(current + piece.substr(0, cut));
        current.clear();
        piece.erase(0, cut);
      }
      current += piece;
    }
    if (!current.empty() || lines.empty()) lines.push_back(TrimmedEnd(current));
    return lines;
  }

 private:
  // The most of `text` that still fits after `line`, in whole characters.
  std::size_t LongestFittingPrefix(const std::string& line, const std::string& text) const {
    std::size_t fitting = 0;
    for (std::size_t next = NextCharacter(text, 0); next <= text.size();
         next = NextCharacter(text, next)) {
      if (!Fits(line + text.substr(0, next))) break;
      fitting = next;
      if (next == text.size()) break;
    }
    return fitting;
  }

  int width_;
  const TextMeasure& measure_;
};

// The command's program: its folder [begin, end), which ends at the last
// separator (that stays with the file name), and where the program ends.
struct Program {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t program_end = 0;
  std::size_t Length() const { return end - begin; }
};

Program ProgramOf(const std::string& command) {
  std::size_t begin = command.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  std::size_t end = std::string::npos;
  if (command[begin] == '"') {
    ++begin;
    end = command.find('"', begin);
  } else {
    // Unquoted, the program ends at the first blank after a name with an
    // extension ("C:\Program Files\Tool\tool.exe /s"), else at the first blank.
    std::size_t name = begin;
    for (std::size_t index = begin; index < command.size(); ++index) {
      if (IsSeparator(command[index])) name = index + 1;
      if (command[index] == ' ' && command.find('.', name) < index) {
        end = index;
        break;
      }
    }
    if (end == std::string::npos) end = command.find(' ', begin);
  }
  if (end == std::string::npos) end = command.size();
  std::size_t last = end;
  while (last > begin && !IsSeparator(command[last - 1])) --last;
  if (last <= begin + 1) return {0, 0, end};
  return {begin, last - 1, end};
}

// The command with all but about `kept` bytes of the folder's middle left
// out, and where its program now ends.
std::pair<std::string, std::size_t> Shortened(const std::string& command, const Program& program,
                                              std::size_t kept) {
  if (kept >= program.Length()) return {command, program.program_end};
  std::size_t head = program.begin + (kept + 1) / 2;
  std::size_t tail = program.end - kept / 2;
  while (head > program.begin && IsContinuation(command[head])) --head;
  while (tail < program.end && IsContinuation(command[tail])) ++tail;
  std::string text = command.substr(0, head) + texts::kShortenedMark + command.substr(tail);
  const std::size_t program_end =
      head + (sizeof texts::kShortenedMark - 1) + program.program_end - tail;
  return {std::move(text), program_end};
}

}  // namespace

std::vector<std::string> CommandLines(const std::string& command, int width, int max_lines,
                                      const TextMeasure& measure) {
  const std::size_t most = max_lines < 1 ? 1 : static_cast<std::size_t>(max_lines);
  const Wrapper wrapper(width, measure);
  auto lines = wrapper.Wrap(command, most);
  if (lines.size() <= most) return lines;

  const Program program = ProgramOf(command);
  // The most of the folder kept for which `fits` holds; 0 when only none does.
  const auto most_kept = [&program](const auto& fits) {
    std::size_t low = 0;
    std::size_t high = program.Length();  // the whole folder does not fit
    while (high - low > 1) {
      const std::size_t middle = low + (high - low) / 2;
      (fits(middle) ? low : high) = middle;
    }
    return low;
  };
  const auto whole_fits = [&](std::size_t kept) {
    return wrapper.Wrap(Shortened(command, program, kept).first, most).size() <= most;
  };
  if (program.Length() > 0 && whole_fits(0)) {
    return wrapper.Wrap(Shortened(command, program, most_kept(whole_fits)).first, most);
  }
  // Too long even without its folder: as much of the folder as leaves the
  // program's name and room for its arguments' start, and the arguments' end goes.
  const auto program_fits = [&](std::size_t kept) {
    const auto shortened = Shortened(command, program, kept);
    return wrapper.Wrap(shortened.first.substr(0, shortened.second), most).size() < most;
  };
  std::string text = command;
  if (program.Length() > 0 && !program_fits(program.Length())) {
    text = Shortened(command, program, most_kept(program_fits)).first;
  }
  lines = wrapper.Wrap(text, most);
  if (lines.size() <= most) return lines;
  lines.resize(most);
  std::string& last = lines.back();
  while (!last.empty() && !wrapper.Fits(last + texts::kShortenedMark)) {
    last.pop_back();
    while (!last.empty() && IsContinuation(last.back())) last.pop_back();
  }
  last = TrimmedEnd(last) + texts::kShortenedMark;
  return lines;
}

}  // namespace corvane
