#include "changes/saved_baseline.h"

#include <cstdint>
#include <iterator>
#include <vector>

#include "monitor/entry_kinds.h"
#include "platform/errors.h"
#include "platform/record_fields.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr char kHeader[] = "Corvane baseline 1";
constexpr char kSwitchesTag[] = "switches ";
// The version of the table of places; a file without the line was taken
// with the first one.
constexpr char kPlacesTag[] = "places ";
constexpr char kEntryTag[] = "E ";
constexpr char kCommandTag[] = "C ";
// When the entry was first seen ("YYYY-MM-DD hh:mm:ss"), after its entry line.
constexpr char kFirstSeenTag[] = "F ";
// The last line: a file without it was cut short.
constexpr char kEnd[] = "end";
constexpr char kField = '\t';

[[noreturn]] void NotABaseline() { throw InOutError(texts::kSavedBaselineUnreadable); }

std::string Unescaped(const std::string& text) {
  auto plain = UnescapeField(text);
  if (!plain) NotABaseline();
  return std::move(*plain);
}

// "YYYY-MM-DD hh:mm:ss", digits where digits belong.
bool IsSortableTime(const std::string& text) {
  static const std::string kPattern = "0000-00-00 00:00:00";
  if (text.size() != kPattern.size()) return false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool digit = text[at] >= '0' && text[at] <= '9';
    if (kPattern[at] == '0' ? !digit : text[at] != kPattern[at]) return false;
  }
  return true;
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
  std::string text = std::string(kHeader) + "\r\n" + kSwitchesTag + EscapeField(switches) +
                     "\r\n" + kPlacesTag + std::to_string(kPlacesVersion) + "\r\n";
  for (const auto& entry : tables.baseline.Entries()) {
    text += kEntryTag + EscapeField(entry) + "\r\n";
    const auto command = tables.baseline_commands.find(entry);
    if (command != tables.baseline_commands.end()) {
      const auto& started = command->second;
      text += kCommandTag + EscapeField(started.command) + kField +
              std::to_string(started.value.type) + kField + EscapeField(started.value.bytes) +
              kField + EscapeField(started.file_bytes);
      if (!started.content_hash.empty()) text += kField + EscapeField(started.content_hash);
      text += "\r\n";
    }
    const auto seen = tables.first_seen.find(entry);
    if (seen != tables.first_seen.end()) text += kFirstSeenTag + seen->second + "\r\n";
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
  std::size_t at = 2;
  if (Tagged(lines[at], kPlacesTag, rest)) {
    if (rest.empty() || rest.size() > 4 || rest[0] == '0' ||
        rest.find_first_not_of("0123456789") != std::string::npos) {
      NotABaseline();
    }
    saved.places_version = std::stoi(rest);
    ++at;
  }
  std::optional<std::string> last_entry;  // the entry a command line belongs to
  for (; at < lines.size(); ++at) {
    if (Tagged(lines[at], kEntryTag, rest)) {
      last_entry = Unescaped(rest);
      saved.entries.Append(*last_entry);
    } else if (Tagged(lines[at], kCommandTag, rest) && last_entry) {
      std::vector<std::string> fields;
      for (const auto& field : SplitFields(rest)) fields.push_back(Unescaped(field));
      // The hash of a watched file's bytes comes last, when there is one.
      if (fields.size() < 4 || fields.size() > 5 || fields[1].empty() ||
          fields[1].find_first_not_of("0123456789") != std::string::npos || fields[1].size() > 10) {
        NotABaseline();
      }
      // A value's type is a 32-bit number; ten digits may say more.
      std::uint64_t type = 0;
      for (const char digit : fields[1]) type = type * 10 + static_cast<std::uint64_t>(digit - '0');
      if (type > UINT32_MAX) NotABaseline();
      StartedCommand started;
      started.command = fields[0];
      started.value.type = static_cast<std::uint32_t>(type);
      started.value.bytes = fields[2];
      started.file_bytes = fields[3];
      if (fields.size() == 5) started.content_hash = fields[4];
      saved.commands[*last_entry] = std::move(started);
    } else if (Tagged(lines[at], kFirstSeenTag, rest) && last_entry) {
      if (!IsSortableTime(rest)) NotABaseline();
      saved.first_seen[*last_entry] = rest;
    } else {
      NotABaseline();
    }
  }
  return saved;
}

void NoteFirstSeen(EntryTables& tables, const std::string& now) {
  auto& seen = tables.first_seen;
  // A clock that tells no sortable time notes nothing.
  if (!now.empty()) {
    for (const auto& entry : tables.baseline.Entries()) {
      if (seen.find(entry) == seen.end()) seen.emplace(entry, now);
    }
  }
  if (seen.size() <= tables.baseline.Count()) return;
  for (auto at = seen.begin(); at != seen.end();) {
    at = tables.baseline.Contains(at->first) ? std::next(at) : seen.erase(at);
  }
}

void UseSavedBaseline(SavedBaseline saved, EntryTables& tables) {
  tables.baseline.CopyFrom(saved.entries);
  tables.baseline_commands = std::move(saved.commands);
  tables.first_seen = std::move(saved.first_seen);
}

std::optional<SavedBaseline> BaselineFile::Load() {
  written_.clear();  // whatever is there now is replaced by the next Save
  if (!files_.FileExists(path_)) return std::nullopt;
  const auto text = files_.ReadAll(path_);
  const auto opened = seal_.Open(text);
  if (opened.found != RecordSeal::Found::kSealed) NotABaseline();
  auto saved = ParseSavedBaseline(opened.text);
  written_ = text;
  return saved;
}

void BaselineFile::Save(const AreaSwitches& switches, const EntryTables& tables) {
  auto text = seal_.Seal(FormatSavedBaseline(SwitchesSignature(switches), tables));
  if (text == written_) return;
  files_.ReplaceWhole(path_, text, texts::kSavedBaselineCopySuffix);
  written_ = std::move(text);
}

void BaselineFile::SealEarlierFile() {
  try {
    if (!files_.FileExists(path_)) return;
    const auto opened = seal_.Open(files_.ReadAll(path_));
    if (opened.found != RecordSeal::Found::kUnsealed) return;
    ParseSavedBaseline(opened.text);
    files_.ReplaceWhole(path_, seal_.Seal(opened.text), texts::kSavedBaselineCopySuffix);
  } catch (const InOutError&) {
    // Left as it is; the start reports it.
  }
}

}  // namespace corvane
