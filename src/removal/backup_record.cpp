#include "removal/backup_record.h"

#include <cstdint>
#include <cstdlib>

#include "monitor/startup_entry.h"
#include "platform/record_fields.h"
#include "texts.h"

namespace corvane {

namespace {

namespace record = texts::record;

constexpr char kTab = '\t';

// Any damage found while reading a record; it makes the record unreadable.
struct BadRecord {};

std::string Hex(const std::string& bytes) { return HexBytes(bytes); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw BadRecord{};
}

char ByteOf(char high, char low) {
  return static_cast<char>(DigitValue(high) * 16 + DigitValue(low));
}

std::string Unhex(const std::string& text) {
  if (text.size() % 2 != 0) throw BadRecord{};
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); at += 2) bytes += ByteOf(text[at], text[at + 1]);
  return bytes;
}

std::string Escape(const std::string& text) { return EscapeField(text); }

std::string Unescape(const std::string& text) {
  auto plain = UnescapeField(text);
  if (!plain) throw BadRecord{};
  return std::move(*plain);
}

std::vector<std::string> SplitAtTabs(const std::string& text) { return SplitFields(text); }

// A whole decimal number and nothing else.
long long Number(const std::string& text) {
  if (text.empty() || text.size() > 19 || (text[0] != '-' && (text[0] < '0' || text[0] > '9'))) {
    throw BadRecord{};
  }
  char* end = nullptr;
  const auto number = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0') throw BadRecord{};
  return number;
}

std::string RootText(RegistryRoot root) {
  return std::string(
      1, root == RegistryRoot::kLocalMachine ? kLocalMachineRootCode : kCurrentUserRootCode);
}

RegistryRoot RootOf(const std::string& text) {
  if (text.size() != 1) throw BadRecord{};
  if (text[0] == kLocalMachineRootCode) return RegistryRoot::kLocalMachine;
  if (text[0] == kCurrentUserRootCode) return RegistryRoot::kCurrentUser;
  throw BadRecord{};
}

std::string RawText(const RawValue& value) {
  return std::to_string(value.type) + kTab + Hex(value.bytes);
}

RawValue RawOf(const std::string& type, const std::string& hex) {
  const auto number = Number(type);
  if (number < 0 || number > 0xFFFFFFFFLL) throw BadRecord{};
  return RawValue{static_cast<std::uint32_t>(number), Unhex(hex)};
}

std::string LeftText(const ValueLeft& left) {
  switch (left.kind) {
    case ValueLeft::Kind::kAbsent:
      return record::kAbsent;
    case ValueLeft::Kind::kText:
      return record::kText + (kTab + Escape(left.text));
    case ValueLeft::Kind::kNumber:
      return record::kNumber + (kTab + std::to_string(left.number));
    case ValueLeft::Kind::kRaw:
      return record::kRaw + (kTab + RawText(left.raw));
  }
  return {};
}

ValueLeft LeftOf(const std::string& text) {
  const auto parts = SplitAtTabs(text);
  ValueLeft left;
  if (parts == std::vector<std::string>{record::kAbsent}) return left;
  if (parts.size() == 2 && parts[0] == record::kText) {
    left.kind = ValueLeft::Kind::kText;
    left.text = Unescape(parts[1]);
  } else if (parts.size() == 2 && parts[0] == record::kNumber) {
    const auto number = Number(parts[1]);
    if (number < INT32_MIN || number > INT32_MAX) throw BadRecord{};
    left.kind = ValueLeft::Kind::kNumber;
    left.number = static_cast<std::int32_t>(number);
  } else if (parts.size() == 3 && parts[0] == record::kRaw) {
    left.kind = ValueLeft::Kind::kRaw;
    left.raw = RawOf(parts[1], parts[2]);
  } else {
    throw BadRecord{};
  }
  return left;
}

class Writer {
 public:
  void Field(const char* name, const std::string& value) {
    text_ += name;
    text_ += '=';
    text_ += value;
    text_ += "\r\n";
  }
  void Text(const char* name, const std::string& value) { Field(name, Escape(value)); }

  void Body(const ValueBackup& value) {
    Field(record::kKind, record::kValueKind);
    Field(record::kRoot, RootText(value.root));
    Text(record::kPath, value.key_path);
    Text(record::kName, value.name);
    Field(record::kBefore, RawText(value.before));
    Field(record::kAfter, LeftText(value.left));
  }
  void Body(const KeyBackup& key) {
    Field(record::kKind, record::kKeyKind);
    Field(record::kRoot, RootText(key.root));
    Text(record::kPath, key.parent);
    Text(record::kName, key.name);
    for (const auto& kept : key.keys) {
      Text(record::kSubkey, kept.path);
      for (const auto& [name, value] : kept.values) {
        Field(record::kValue, Escape(name) + kTab + RawText(value));
      }
    }
  }
  void Body(const MovedFileBackup& file) {
    Field(record::kKind, record::kMovedKind);
    Text(record::kPath, file.path);
    Text(record::kKept, file.kept_name);
  }
  void Body(const FileBytesBackup& file) {
    Field(record::kKind, record::kFileKind);
    Text(record::kPath, file.path);
    Field(record::kBefore, Hex(file.before));
    Field(record::kAfter, Hex(file.after));
  }
  void Body(const IniLinesBackup& ini) {
    Field(record::kKind, record::kIniKind);
    Text(record::kPath, ini.path);
    for (const auto& line : ini.lines) {
      Field(record::kLine,
            std::to_string(line.index) + kTab + Hex(line.before) + kTab + Hex(line.after));
    }
  }
  void Body(const LibraryBackup& task) {
    Field(record::kKind,
          task.library == Library::kTasks ? record::kTaskKind : record::kSubscriptionKind);
    Text(record::kPath, task.path);
    Text(record::kDefinition, task.definition);
  }

  std::string text_ = std::string(record::kSignature) + "\r\n";
};

// Reads the fields in the order they were written.
class Reader {
 public:
  explicit Reader(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
      auto end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      auto line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(std::move(line));
      start = end + 1;
    }
    if (lines_.empty() || lines_[0] != record::kSignature) throw BadRecord{};
    next_ = 1;
  }

  bool Next(const char* name) const {
    if (next_ >= lines_.size()) return false;
    const auto& line = lines_[next_];
    const std::string prefix = std::string(name) + '=';
    return line.compare(0, prefix.size(), prefix) == 0;
  }
  std::string Field(const char* name) {
    if (!Next(name)) throw BadRecord{};
    return lines_[next_++].substr(std::char_traits<char>::length(name) + 1);
  }
  std::string Text(const char* name) { return Unescape(Field(name)); }
  void End() const {
    if (next_ != lines_.size()) throw BadRecord{};
  }

  BackupBody Body() {
    const auto kind = Field(record::kKind);
    if (kind == record::kValueKind) {
      ValueBackup value;
      value.root = RootOf(Field(record::kRoot));
      value.key_path = Text(record::kPath);
      value.name = Text(record::kName);
      const auto before = SplitAtTabs(Field(record::kBefore));
      if (before.size() != 2) throw BadRecord{};
      value.before = RawOf(before[0], before[1]);
      value.left = LeftOf(Field(record::kAfter));
      return value;
    }
    if (kind == record::kKeyKind) {
      KeyBackup key;
      key.root = RootOf(Field(record::kRoot));
      key.parent = Text(record::kPath);
      key.name = Text(record::kName);
      while (Next(record::kSubkey)) {
        KeptKey kept{Text(record::kSubkey), {}};
        while (Next(record::kValue)) {
          const auto parts = SplitAtTabs(Field(record::kValue));
          if (parts.size() != 3) throw BadRecord{};
          kept.values.emplace_back(Unescape(parts[0]), RawOf(parts[1], parts[2]));
        }
        key.keys.push_back(std::move(kept));
      }
      return key;
    }
    if (kind == record::kMovedKind) {
      MovedFileBackup file;
      file.path = Text(record::kPath);
      file.kept_name = Text(record::kKept);
      // Only a plain name: a record must never reach outside its folder.
      if (file.kept_name.empty() || file.kept_name.find_first_of("\\/:") != std::string::npos ||
          file.kept_name == "." || file.kept_name == "..") {
        throw BadRecord{};
      }
      return file;
    }
    if (kind == record::kFileKind) {
      FileBytesBackup file;
      file.path = Text(record::kPath);
      file.before = Unhex(Field(record::kBefore));
      file.after = Unhex(Field(record::kAfter));
      return file;
    }
    if (kind == record::kIniKind) {
      IniLinesBackup ini;
      ini.path = Text(record::kPath);
      while (Next(record::kLine)) {
        const auto parts = SplitAtTabs(Field(record::kLine));
        if (parts.size() != 3) throw BadRecord{};
        const auto index = Number(parts[0]);
        if (index < 0) throw BadRecord{};
        ini.lines.push_back({static_cast<std::size_t>(index), Unhex(parts[1]), Unhex(parts[2])});
      }
      return ini;
    }
    if (kind == record::kTaskKind || kind == record::kSubscriptionKind) {
      LibraryBackup task;
      task.library = kind == record::kTaskKind ? Library::kTasks : Library::kEventSubscriptions;
      task.path = Text(record::kPath);
      task.definition = Text(record::kDefinition);
      return task;
    }
    throw BadRecord{};
  }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

}  // namespace

std::string FormatBackup(const Backup& backup) {
  Writer writer;
  const auto& header = backup.header;
  writer.Text(record::kDate, header.date);
  writer.Text(record::kSortable, header.sortable);
  writer.Text(record::kType, header.type_text);
  writer.Text(record::kLocation, header.location);
  writer.Text(record::kCommand, header.command);
  writer.Text(record::kEntry, header.entry);
  writer.Text(record::kLogged, header.logged);
  std::visit([&writer](const auto& body) { writer.Body(body); }, backup.body);
  return writer.text_;
}

std::optional<Backup> ParseBackup(const std::string& text) {
  try {
    Reader reader(text);
    Backup backup;
    auto& header = backup.header;
    header.date = reader.Text(record::kDate);
    header.sortable = reader.Text(record::kSortable);
    header.type_text = reader.Text(record::kType);
    header.location = reader.Text(record::kLocation);
    header.command = reader.Text(record::kCommand);
    header.entry = reader.Text(record::kEntry);
    header.logged = reader.Text(record::kLogged);
    backup.body = reader.Body();
    reader.End();
    return backup;
  } catch (const BadRecord&) {
    return std::nullopt;
  }
}

}  // namespace corvane
