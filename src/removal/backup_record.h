// What a removal keeps so that it can be undone exactly, and the text form
// in which it is kept.
//
// A record is one UTF-8 text file, lines ended by CR LF:
//   Corvane backup 1
//   date=08/12/2026 06:45:10            the header, as the changes layer
//   sortable=2026-12-08 06:45:10        supplies it
//   type=Registry Startup
//   location=HKEY_CURRENT_USER\Software\...\Run\Tool
//   command=C:\tool.exe
//   entry=2\Software\...\Run\Tool
//   logged=Registry Startup: Tool
//   kind=value                          then the body, by kind:
//   value:  root=1|2  path=<key>  name=<value>  before=<type><TAB><hex>
//           after=absent | text<TAB><text> | number<TAB><n> | raw<TAB><type><TAB><hex>
//   key:    root  path=<parent key>  name=<subkey>, then per key of the tree,
//           parents first: subkey=<path below it, "" for itself>, followed
//           by its values: value=<name><TAB><type><TAB><hex>
//   moved:  path=<the file's place>  kept=<its name in the Removed folder>
//   file:   path  before=<hex>  after=<hex>
//   ini:    path, then per changed line: line=<index><TAB><hex before><TAB><hex after>
//   task, subscription:  path=<its name in its library>  definition=<text>
// Text fields escape "%", control characters and DEL as %XX, so that no
// field holds a line break or a tab; bytes are written as hex.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/definition_library.h"
#include "platform/registry.h"

namespace corvane {

// Who removed what, as the window of removed entries and the log name it.
struct BackupHeader {
  std::string date;      // for display: the user's date, a blank, the time
  std::string sortable;  // "YYYY-MM-DD hh:mm:ss", for ordering
  std::string type_text;
  std::string location;
  std::string command;  // "" when not known
  std::string entry;    // the startup entry, taken into the baseline when put back
  std::string logged;   // what the removal's log line names
};

// What a removal left at a registry value's place: nothing (deleted), a
// text it wrote, a number it wrote, or exact data it wrote back.
struct ValueLeft {
  enum class Kind { kAbsent, kText, kNumber, kRaw };
  Kind kind = Kind::kAbsent;
  std::string text;
  std::int32_t number = 0;
  RawValue raw;

  bool operator==(const ValueLeft& other) const {
    return kind == other.kind && text == other.text && number == other.number && raw == other.raw;
  }
};

// A registry value as it was before the removal changed or deleted it.
struct ValueBackup {
  RegistryRoot root = RegistryRoot::kCurrentUser;
  std::string key_path;
  std::string name;
  RawValue before;
  ValueLeft left;
};

// One key of a deleted tree: its path below the deleted key ("" for that
// key itself) and its values as stored.
struct KeptKey {
  std::string path;
  std::vector<std::pair<std::string, RawValue>> values;

  bool operator==(const KeptKey& other) const {
    return path == other.path && values == other.values;
  }
};

// A deleted key with everything below it, parents before their subkeys.
struct KeyBackup {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::string parent;
  std::string name;
  std::vector<KeptKey> keys;
};

// A file moved into the Removed folder.
struct MovedFileBackup {
  std::string path;
  std::string kept_name;  // a plain name inside the Removed folder
};

// A file whose bytes were replaced as a whole (a changed shortcut).
struct FileBytesBackup {
  std::string path;
  std::string before;
  std::string after;
};

// One line of an INI file (the bytes between two line feeds, Ctrl-Z ending
// the lines) that a removal changed.
struct IniLineChange {
  std::size_t index = 0;
  std::string before;
  std::string after;
};

struct IniLinesBackup {
  std::string path;
  std::vector<IniLineChange> lines;
};

// An item deleted from a library of definitions (a task, a subscription).
struct LibraryBackup {
  Library library = Library::kTasks;
  std::string path;  // its name in the library
  std::string definition;
};

using BackupBody = std::variant<ValueBackup, KeyBackup, MovedFileBackup, FileBytesBackup,
                                IniLinesBackup, LibraryBackup>;

struct Backup {
  BackupHeader header;
  BackupBody body;
};

// The record's text.
std::string FormatBackup(const Backup& backup);

// The record read back; no value when the text is no whole record of this
// form (a stray file, a record of a later version, a damaged one).
std::optional<Backup> ParseBackup(const std::string& text);

}  // namespace corvane
