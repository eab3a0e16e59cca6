#include "changes/saved_baseline.h"

#include <cstdint>
#include <vector>

#include "platform/errors.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr char kHeader[] = "Corvane baseline 1";
constexpr char kSwitchesTag[] = "switches ";
constexpr char kEntryTag[] = "E ";
constexpr char kCommandTag[] = "C ";
// The last line: a file without it was cut short.
constexpr char kEnd[] = "end";
constexpr char kField = '\t';
constexpr char kHex[] = "0123456789ABCDEF";

std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

[[noreturn]] void NotABaseline() {
  throw InOutError(texts::kSavedBaselineUnreadable);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  NotABaseline();
}

std::string Unescaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '%') {
      out += text[at];
      continue;
    }
    if (at + 2 >= text.size()) NotABaseline();
    out += static_cast<char>(HexDigit(text[at + 1]) * 16 + HexDigit(text[at + 2]));
    at += 2;
  }
  return out;
}

std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto tab = text.find(kField, start);
    fields.push_back(Unescaped(text.substr(start, tab - start)));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

bool Tagged(const std::string& line, const char* tag, std::string& rest) {
  const std::string prefix = tag;
  if (line.compare(0, prefix.size(), prefix) != 0) return false;
  rest = line.substr(prefix.size());
  return true;
}

}  // namespace

std::string SwitchesSignature(const AreaSwitches& switches) {
  std::string signature;
  for (const bool on : {switches.MonitorStartupFolders(), switches.MonitorRegistryKeys(),
                        switches.MonitorServices(), switches.MonitorIniFiles(),
                        switches.MonitorIeObjects(), switches.MonitorScheduledTasks()}) {
    signature += on ? '1' : '0';
  }
  return signature;
}

std::string FormatSavedBaseline(const std::string& switches, const EntryTables& tables) {
  std::string text = std::string(kHeader) + "\r\n" + kSwitchesTag + Escaped(switches) + "\r\n";
  for (const auto& entry : tables.baseline.Entries()) {
    text += kEntryTag + Escaped(entry) + "\r\n";
    const auto command = tables.baseline_commands.find(entry);
    if (command == tables.baseline_commands.end()) continue;
    const auto& started = command->second;
    text += kCommandTag + Escaped(started.command) + kField + std::to_string(started.value.type) +
            kField + Escaped(started.value.bytes) + kField + Escaped(started.file_bytes) + "\r\n";
  }
  return text + kEnd + "\r\n";
}

SavedBaseline ParseSavedBaseline(const std::string& text) {
  auto lines = SplitTextLines(text);
  if (lines.size() < 3 || lines[0] != kHeader || lines.back() != kEnd) NotABaseline();
  lines.pop_back();
  SavedBaseline saved;
  std::string rest;
  if (!Tagged(lines[1], kSwitchesTag, rest)) NotABaseline();
  saved.switches = Unescaped(rest);
  std::optional<std::string> last_entry;  // the entry a command line belongs to
  for (std::size_t at = 2; at < lines.size(); ++at) {
    if (Tagged(lines[at], kEntryTag, rest)) {
      last_entry = Unescaped(rest);
      saved.entries.Append(*last_entry);
    } else if (Tagged(lines[at], kCommandTag, rest) && last_entry) {
      const auto fields = Fields(rest);
      if (fields.size() != 4 || fields[1].empty() ||
          fields[1].find_first_not_of("0123456789") != std::string::npos || fields[1].size() > 10) {
        NotABaseline();
      }
      StartedCommand started;
      started.command = fields[0];
      started.value.type = static_cast<std::uint32_t>(std::stoul(fields[1]));
      started.value.bytes = fields[2];
      started.file_bytes = fields[3];
      saved.commands[*last_entry] = std::move(started);
    } else {
      NotABaseline();
    }
  }
  return saved;
}

std::optional<SavedBaseline> BaselineFile::Load() {
  written_.clear();  // whatever is there now is replaced by the next Save
  if (!files_.FileExists(path_)) return std::nullopt;
  const auto text = files_.ReadAll(path_);
  auto saved = ParseSavedBaseline(text);
  written_ = text;
  return saved;
}

void BaselineFile::Save(const AreaSwitches& switches, const EntryTables& tables) {
  auto text = FormatSavedBaseline(SwitchesSignature(switches), tables);
  if (text == written_) return;
  const auto copy = files_.WriteNewFile(path_ + texts::kSavedBaselineCopySuffix, text);
  try {
    files_.PutInPlaceOf(copy, path_);
  } catch (const InOutError&) {
    files_.RemoveFile(copy);  // ours: made just now under a name no file had
    throw;
  }
  written_ = std::move(text);
}

}  // namespace corvane
