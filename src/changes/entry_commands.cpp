#include "changes/entry_commands.h"

#include <memory>
#include <optional>
#include <utility>

#include "monitor/approved_state.h"
#include "monitor/located_entry.h"
#include "platform/case_fold.h"
#include "platform/errors.h"
#include "platform/event_subscription.h"
#include "platform/record_fields.h"
#include "platform/sha256.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr char kShortcutExtension[] = ".lnk";

// One accessor, reopened only when the key changes: the entries of one key
// come together in a scan, and a scan holds hundreds of services.
class KeyReader {
 public:
  explicit KeyReader(Registry& registry) : accessor_(registry.CreateAccessor()) {}

  // The accessor with that key open, or with none when it cannot be opened.
  RegistryAccessor& At(RegistryRoot root, const std::string& path) {
    if (!used_ || root != root_ || path != path_) {
      accessor_->SetRoot(root);
      if (!accessor_->OpenKey(path, false, KeyAccess::kRead)) accessor_->CloseKey();
      used_ = true;
      root_ = root;
      path_ = path;
    }
    return *accessor_;
  }

 private:
  std::unique_ptr<RegistryAccessor> accessor_;
  bool used_ = false;
  RegistryRoot root_ = RegistryRoot::kCurrentUser;
  std::string path_;
};

bool IsShortcut(const std::string& path) {
  const std::string extension = kShortcutExtension;
  return path.size() >= extension.size() &&
         FoldCase(path.substr(path.size() - extension.size())) == extension;
}

// A program and its arguments as one command line; a program path with a
// blank is quoted so that the line says where the program ends.
std::string JoinCommand(const std::string& program, const std::string& arguments) {
  if (arguments.empty()) return program;
  const bool quote =
      !program.empty() && program.find(' ') != std::string::npos && program.front() != '"';
  return (quote ? '"' + program + '"' : program) + ' ' + arguments;
}

// What a file whose bytes are watched starts: its path with its size and the
// start of its hash, which tells a replaced file; the whole hash beside it.
StartedCommand ContentCommand(const std::string& path, const std::string& bytes) {
  StartedCommand started;
  started.content_hash = HexBytes(Sha256(bytes));
  started.command =
      path + FormatText(FormatText(texts::kContentFacts, std::to_string(bytes.size())).c_str(),
                        started.content_hash.substr(0, 16));
  return started;
}

// Keeps the bytes by their hash, once; a copy that cannot be kept leaves a
// later change that cannot be undone, never an error.
void KeepCopy(FileSystem& files, const std::string& folder, const std::string& hash,
              const std::string& bytes) {
  if (folder.empty() || files.FileExists(folder + '\\' + hash)) return;
  try {
    files.MakeDirectory(folder);
    files.WriteNewFile(folder + '\\' + hash, bytes);
  } catch (const InOutError&) {
  }
}

// ---- Task Scheduler XML: just enough to read a task's actions ----

// Where an element's content lies in the text.
struct Element {
  std::size_t content_begin;
  std::size_t content_end;
};

// The first element with that local name (any namespace prefix) that begins
// in [from, to); comments, declarations and closing tags are stepped over.
std::optional<Element> FindElement(const std::string& xml, const std::string& name,
                                   std::size_t from, std::size_t to) {
  for (auto at = xml.find('<', from); at < to; at = xml.find('<', at + 1)) {
    if (xml.compare(at, 4, "<!--") == 0) {
      at = xml.find("-->", at);
      if (at == std::string::npos) return std::nullopt;
      continue;
    }
    const auto name_end = xml.find_first_of(" \t\r\n/>", at + 1);
    if (name_end == std::string::npos) return std::nullopt;
    const auto qualified = xml.substr(at + 1, name_end - at - 1);
    const auto colon = qualified.find(':');
    if ((colon == std::string::npos ? qualified : qualified.substr(colon + 1)) != name) continue;
    const auto tag_end = xml.find('>', name_end);
    if (tag_end == std::string::npos) return std::nullopt;
    if (xml[tag_end - 1] == '/') return Element{tag_end + 1, tag_end + 1};
    const auto closing = xml.find("</" + qualified, tag_end);
    if (closing == std::string::npos) return std::nullopt;
    return Element{tag_end + 1, closing};
  }
  return std::nullopt;
}

void AppendUtf8(std::string& text, unsigned long code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// An entity's text (between "&" and ";"); no value for one XML does not know.
std::optional<std::string> DecodeEntity(const std::string& entity) {
  static const std::pair<const char*, const char*> kNamed[] = {
      {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
  for (const auto& [name, text] : kNamed) {
    if (entity == name) return std::string(text);
  }
  if (entity.size() < 2 || entity[0] != '#') return std::nullopt;
  const bool hex = entity[1] == 'x';
  const auto digits = entity.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  unsigned long code = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
  }
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  std::string text;
  AppendUtf8(text, code);
  return text;
}

// An element's text content with its entities decoded and the line breaks
// and indentation around it dropped; an unknown entity stays as written.
std::string ElementText(const std::string& xml, const Element& element) {
  std::string text;
  for (auto at = element.content_begin; at < element.content_end;) {
    if (xml[at] == '&') {
      const auto semicolon = xml.find(';', at);
      if (semicolon < element.content_end) {
        if (const auto decoded = DecodeEntity(xml.substr(at + 1, semicolon - at - 1))) {
          text += *decoded;
          at = semicolon + 1;
          continue;
        }
      }
    }
    text += xml[at++];
  }
  constexpr char kSpace[] = " \t\r\n";
  text.erase(text.find_last_not_of(kSpace) + 1);
  return text.erase(0, text.find_first_not_of(kSpace));
}

// The first program a task runs with its arguments; without one, the class
// of its first COM handler; "" when it has neither.
std::string TaskCommand(const std::string& xml) {
  const auto actions = FindElement(xml, "Actions", 0, xml.size());
  if (!actions) return "";
  const auto child = [&xml](const Element& parent, const char* name) {
    const auto found = FindElement(xml, name, parent.content_begin, parent.content_end);
    return found ? ElementText(xml, *found) : std::string();
  };
  if (const auto exec = FindElement(xml, "Exec", actions->content_begin, actions->content_end)) {
    return JoinCommand(child(*exec, "Command"), child(*exec, "Arguments"));
  }
  const auto handler = FindElement(xml, "ComHandler", actions->content_begin, actions->content_end);
  return handler ? child(*handler, "ClassId") : "";
}

}  // namespace

std::string CommandOf(const Platform& platform, const std::string& entry) {
  const auto located = Locate(entry);
  if (!located || entry.size() < 2) return "";
  const auto& text = located->name;
  switch (located->kind->command) {
    case CommandFrom::kFile: {
      if (located->kind->tracks_content) {
        try {
          return ContentCommand(text, platform.files.ReadAll(text)).command;
        } catch (const InOutError&) {
          return text;
        }
      }
      if (!IsShortcut(text)) return text;
      const auto link = platform.programs.ReadShortcut(text);
      return link ? JoinCommand(link->target, link->arguments) : "";
    }
    case CommandFrom::kIniValue: {
      const auto equals = text.find('=');
      return equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    case CommandFrom::kDefinition: {
      const auto library = located->kind->library;
      const auto definition = platform.LibraryOf(library).Definition(text);
      if (!definition) return "";
      if (library == Library::kTasks) return TaskCommand(*definition);
      const auto subscription = ParseSubscription(*definition);
      return subscription ? SubscriptionCommand(*subscription) : "";
    }
    case CommandFrom::kEntryData:
      return located->data;
    default:
      break;
  }
  const auto place = CommandValueOf(*located);
  if (!place) return "";
  KeyReader reader(platform.registry);
  // A value of another type names no command.
  const auto raw = reader.At(place->root, place->key_path).ReadRawValue(place->name);
  return raw ? CommandOfRowValue(*located->kind, *raw).command : "";
}

StartedProgram StartedProgramOf(const Platform& platform, const std::string& command) {
  auto path = NamedProgram(platform, command);
  auto publisher = path.empty() ? "" : platform.programs.Publisher(path);
  return {std::move(path), std::move(publisher)};
}

CommandTable RememberCommands(const Platform& platform, const std::vector<std::string>& entries,
                              const CommandTable& known,
                              const std::unordered_map<std::string, std::string>& stamps,
                              const std::string& kept_copies) {
  CommandTable table;
  KeyReader reader(platform.registry);
  for (const auto& entry : entries) {
    const auto located = Locate(entry);
    if (!located || !located->kind->command_can_change) continue;
    if (const auto place = CommandValueOf(*located)) {
      auto raw = reader.At(place->root, place->key_path).ReadRawValue(place->name);
      if (raw) table.emplace(entry, CommandOfRowValue(*located->kind, std::move(*raw)));
    } else if (located->kind->command == CommandFrom::kFile &&
               (located->kind->tracks_content || IsShortcut(located->name))) {
      const auto& path = located->name;
      const auto stamp = stamps.find(entry);
      const auto same = known.find(entry);
      if (stamp != stamps.end() && same != known.end() && !stamp->second.empty() &&
          same->second.file_stamp == stamp->second) {
        table.emplace(entry, same->second);
        continue;
      }
      std::string bytes;
      try {
        bytes = platform.files.ReadAll(path);
      } catch (const InOutError&) {
        continue;  // an unreadable file could not be written back: not remembered
      }
      const auto stamped = stamp == stamps.end() ? std::string() : stamp->second;
      if (located->kind->tracks_content) {
        auto started = ContentCommand(path, bytes);
        started.file_stamp = stamped;
        KeepCopy(platform.files, kept_copies, started.content_hash, bytes);
        table.emplace(entry, std::move(started));
        continue;
      }
      if (same != known.end() && same->second.file_bytes == bytes) {
        table.emplace(entry, same->second).first->second.file_stamp = stamped;
        continue;
      }
      // A file that is no readable link starts nothing that can be told; it
      // is kept with its bytes all the same, so that it is not read as a
      // link again until they change, and becoming a link is a change.
      const auto link = platform.programs.ReadShortcut(path);
      table.emplace(entry, StartedCommand{link ? JoinCommand(link->target, link->arguments) : "",
                                          RawValue{}, std::move(bytes), stamped});
    }
  }
  return table;
}

}  // namespace corvane
