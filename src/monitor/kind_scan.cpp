#include "monitor/kind_scan.h"

#include <algorithm>
#include <map>
#include <optional>

#include "monitor/approved_state.h"
#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"

namespace corvane {

namespace {

constexpr char kAdministratorProfile[] = "Administrator";

// One registry row read into the tables. An accessor is made once for the
// row and opened on one key after another.
class RegistryReading {
 public:
  RegistryReading(Registry& registry, const EntryKind& kind, EntryTables& tables)
      : kind_(kind),
        tables_(tables),
        key_(registry.CreateAccessor()),
        item_(registry.CreateAccessor()) {}

  // The place in each of its views. Whether the second view is the first
  // one's very key is asked of Windows until both were seen open once.
  void Read(const RegistryPlace& place) {
    key_->SetRoot(RootOfCode(place.root_code));
    item_->SetRoot(RootOfCode(place.root_code));
    const auto views = ViewsOf(place);
    bool first_open = false;
    std::string first_identity;  // asked for only while not settled
    for (std::size_t at = 0; at < views.size(); ++at) {
      const auto& path = views[at];
      const auto settled = tables_.shared_views.find(place.root_code + path);
      const bool known = settled != tables_.shared_views.end();
      // A view that is the first view's very key holds nothing of its own.
      if (at != 0 && first_open && known && settled->second) continue;
      if (!key_->OpenKey(path, false, KeyAccess::kRead)) continue;
      if (at == 0) {
        first_open = true;
        if (views.size() > 1 && !tables_.shared_views.count(place.root_code + views[1])) {
          first_identity = key_->OpenKeyIdentity();
        }
      } else if (first_open && !known && !first_identity.empty()) {
        const auto identity = key_->OpenKeyIdentity();
        if (!identity.empty()) {
          const bool shared = identity == first_identity;
          tables_.shared_views[place.root_code + path] = shared;
          if (shared) continue;
        }
      }
      ReadKey(place, path, &place == &kind_.keys.front() && at == 0);
    }
  }

 private:
  void Append(std::string entry, const std::optional<RawValue>& command) {
    if (command && kind_.command_can_change) {
      tables_.current_commands[entry] = CommandOfRowValue(kind_, *command);
    }
    tables_.current.Append(std::move(entry));
  }

  void AppendValueWithData(const RegistryPlace& place, const std::string& path,
                           RegistryAccessor& key) {
    for (const auto& value : place.values) {
      const auto raw = key.ReadRawValue(value.name);
      if (!raw) continue;
      if (kind_.reads == Reads::kMultiStringItems) {
        for (const auto& item : ItemsOfRawValue(*raw)) {
          Append(MakeValueWithDataEntry(kind_.type_code, place.root_code, path, value.name, item),
                 std::nullopt);
        }
        continue;
      }
      // A value that is no string starts nothing Corvane could name.
      const auto data = TextOfRawValue(*raw).value_or("");
      if (data.empty()) continue;
      if (kind_.reads == Reads::kNamedCommands) {
        Append(MakeNamedValueEntry(kind_.type_code, place.root_code, path, value.name), raw);
      } else {
        Append(MakeValueWithDataEntry(kind_.type_code, place.root_code, path, value.name, data),
               std::nullopt);
      }
    }
  }

  // `bare`: the subkeys of the row's first key in its first view are
  // recorded by their name alone.
  void ReadKey(const RegistryPlace& place, const std::string& path, bool bare) {
    switch (kind_.reads) {
      case Reads::kValueNames:
        for (auto& [name, value] : key_->Values()) {
          Append(MakeRunValueEntry(kind_.type_code, path, name), value);
        }
        break;
      case Reads::kNamedValues:
      case Reads::kNamedCommands:
      case Reads::kMultiStringItems:
        AppendValueWithData(place, path, *key_);
        break;
      case Reads::kSubkeyValues:
        for (const auto& subkey : key_->SubkeyNames()) {
          if (item_->OpenKey(path + '\\' + subkey, false, KeyAccess::kRead)) {
            AppendValueWithData(place, path + '\\' + subkey, *item_);
          }
        }
        break;
      case Reads::kSubkeyValueNames:
        for (const auto& subkey : key_->SubkeyNames()) {
          const auto subkey_path = path + '\\' + subkey;
          if (!item_->OpenKey(subkey_path, false, KeyAccess::kRead)) continue;
          for (auto& [name, value] : item_->Values()) {
            Append(MakeNamedValueEntry(kind_.type_code, place.root_code, subkey_path, name), value);
          }
        }
        break;
      case Reads::kSubkeys:
        for (const auto& subkey : SubkeysToRead()) {
          std::optional<RawValue> command;
          if (!Counts(path + '\\' + subkey, command)) continue;
          if (narrows_others_) {
            tables_.counted_subkeys[kind_.type_code].emplace_back(
                subkey, command ? TextOfRawValue(*command).value_or("") : "");
          }
          Append(MakeEntry(kind_.type_code, bare ? subkey : path + '\\' + subkey), command);
        }
        break;
      default:
        break;
    }
  }

  // The row's named subkeys are opened by name: the key may hold thousands.
  std::vector<std::string> SubkeysToRead() {
    const auto narrowing = tables_.counted_subkeys.find(kind_.narrowed_by);
    if (narrowing != tables_.counted_subkeys.end()) {
      const auto wanted = FoldCase(kind_.narrowed_to);
      std::vector<std::string> names;
      for (const auto& [name, command] : narrowing->second) {
        if (FoldCase(command).find(wanted) != std::string::npos) names.push_back(name);
      }
      return names;
    }
    if (kind_.only_subkeys.empty()) return key_->SubkeyNames();
    return {kind_.only_subkeys.begin(), kind_.only_subkeys.end()};
  }

  // Whether the subkey counts, with its command when the row reads one from
  // it. A subkey that cannot be read does not count.
  bool Counts(const std::string& subkey_path, std::optional<RawValue>& command) {
    const bool opened = kind_.counted_when != nullptr || !kind_.counted_with.empty() ||
                        !kind_.only_subkeys.empty() || kind_.command == CommandFrom::kSubkeyValue;
    if (!opened) return true;
    if (!item_->OpenKey(subkey_path, false, KeyAccess::kRead)) return false;
    // The number first: most services do not start by themselves, and their
    // program is then never read.
    if (kind_.counted_when != nullptr &&
        !CountedByNumber(kind_, ReadNumber(*item_, kind_.counted_when))) {
      return false;
    }
    if (!kind_.counted_with.empty() && !HasOneOf(item_->SubkeyNames(), kind_.counted_with)) {
      return false;
    }
    if (kind_.command != CommandFrom::kSubkeyValue) return true;
    if (*kind_.command_key == '\0' ||
        item_->OpenKey(subkey_path + kind_.command_key, false, KeyAccess::kRead)) {
      command = item_->ReadRawValue(kind_.command_value);
    }
    if (!kind_.needs_command) return true;
    return command && !TextOfRawValue(*command).value_or("").empty();
  }

  static bool HasOneOf(const std::vector<std::string>& names,
                       const std::vector<const char*>& wanted) {
    return std::any_of(names.begin(), names.end(), [&wanted](const std::string& name) {
      return std::any_of(wanted.begin(), wanted.end(),
                         [&name](const char* one) { return FoldCase(name) == FoldCase(one); });
    });
  }

  const EntryKind& kind_;
  EntryTables& tables_;
  // Another row reads only some of the subkeys this one counts.
  const bool narrows_others_ =
      std::any_of(EntryKinds().begin(), EntryKinds().end(),
                  [this](const EntryKind& other) { return other.narrowed_by == kind_.type_code; });
  std::unique_ptr<RegistryAccessor> key_;
  std::unique_ptr<RegistryAccessor> item_;  // a subkey of the key, when one is read
};

// The masks of the table: every file, a name ending ("*.sdb"), or one name.
bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*") return true;
  if (mask.empty() || mask[0] != '*') return FoldCase(name) == FoldCase(mask);
  const auto ending = FoldCase(mask.substr(1));
  const auto folded = FoldCase(name);
  return folded.size() >= ending.size() &&
         folded.compare(folded.size() - ending.size(), ending.size(), ending) == 0;
}

std::string UserProfileSibling(const std::string& user_profile, const std::string& name) {
  const auto slash = user_profile.rfind('\\');
  return (slash == std::string::npos ? std::string() : user_profile.substr(0, slash + 1)) + name;
}

std::string BaseOf(FolderBase base, const Environment& environment) {
  switch (base) {
    case FolderBase::kWindows:
      return environment.Get(locations::kWindowsDirectoryVariable);
    case FolderBase::kAllUsersProfile:
      return environment.Get(locations::kAllUsersProfileVariable);
    case FolderBase::kUserProfile:
      return environment.Get(locations::kUserProfileVariable);
    case FolderBase::kAdministrator:
      return UserProfileSibling(environment.Get(locations::kUserProfileVariable),
                                kAdministratorProfile);
    case FolderBase::kShellStartup:
      return environment.ShellFolderPath(ShellFolder::kStartup);
    case FolderBase::kShellCommonStartup:
      return environment.ShellFolderPath(ShellFolder::kCommonStartup);
    case FolderBase::kShellDocuments:
      return environment.ShellFolderPath(ShellFolder::kDocuments);
    case FolderBase::kProgramFiles:
      return environment.Get(locations::kProgramFilesVariable);
  }
  return "";
}

struct Folder {
  std::string base;
  std::string must_exist;
  std::string searched;
  std::string recorded;
  const char* mask;
};

std::vector<Folder> Folders(const EntryKind& kind, const Environment& environment) {
  std::vector<Folder> folders;
  for (const auto& place : kind.folders) {
    const auto base = BaseOf(place.base, environment);
    const auto searched = base + place.searched;
    const auto same = [&searched](const Folder& folder) {
      return FoldCase(folder.searched) == FoldCase(searched);
    };
    if (place.once && (base.empty() || std::any_of(folders.begin(), folders.end(), same))) continue;
    folders.push_back({base, place.searched_must_exist ? searched : base, searched,
                       base + place.recorded, place.mask});
  }
  return folders;
}

void ScanFolders(const Platform& platform, const EntryKind& kind, EntryTables& tables) {
  for (const auto& folder : Folders(kind, platform.environment)) {
    if (!platform.files.DirectoryExists(folder.must_exist)) continue;
    for (auto& found : platform.files.ListFiles(folder.searched + '\\' + folder.mask)) {
      auto entry = MakeEntry(kind.type_code, folder.recorded + '\\' + found.name);
      tables.current_stamps[entry] = std::move(found.stamp);
      tables.current.Append(std::move(entry));
    }
  }
}

// The INI files are byte files in the ANSI code page, whatever their lines
// hold. A file's lines are read once for all the keys of the row.
void ScanIniLines(const Platform& platform, const EntryKind& kind, EntryTable& current) {
  const auto windows = platform.environment.Get(locations::kWindowsDirectoryVariable);
  std::map<std::string, std::vector<std::string>> read;
  for (const auto& place : kind.ini_lines) {
    const auto path = windows + '\\' + place.file;
    auto lines = read.find(path);
    if (lines == read.end()) {
      if (!platform.files.FileExists(path)) continue;
      auto split = SplitTextLines(platform.files.ReadAll(path));
      for (auto& line : split) line = platform.files.DecodeAnsi(line);
      lines = read.emplace(path, std::move(split)).first;
    }
    for (const auto& line : lines->second) {
      if (IsAutostartLine(line, place.key)) current.Append(MakeEntry(kind.type_code, line));
    }
  }
}

void ScanLibrary(DefinitionLibrary& library, const EntryKind& kind, EntryTables& tables) {
  const auto listed = library.Names();
  if (!listed) {
    for (const auto& entry : tables.baseline.Entries()) {
      if (!entry.empty() && entry[0] == kind.type_code) tables.current.Append(entry);
    }
    return;
  }
  for (const auto& name : *listed) tables.current.Append(MakeEntry(kind.type_code, name));
}

}  // namespace

void ScanKind(const Platform& platform, const EntryKind& kind, EntryTables& tables) {
  switch (kind.reads) {
    case Reads::kFolderFiles:
      ScanFolders(platform, kind, tables);
      return;
    case Reads::kIniLines:
      ScanIniLines(platform, kind, tables.current);
      return;
    case Reads::kLibrary:
      ScanLibrary(platform.LibraryOf(kind.library), kind, tables);
      return;
    default: {
      // The subkeys a narrowed row reads come from its host row's scan.
      if (kind.narrowed_by != 0 && tables.counted_subkeys.count(kind.narrowed_by) == 0) {
        EntryTables host;
        ScanKind(platform, *KindOf(kind.narrowed_by), host);
        tables.counted_subkeys[kind.narrowed_by] =
            std::move(host.counted_subkeys[kind.narrowed_by]);
      }
      RegistryReading reading(platform.registry, kind, tables);
      for (const auto& place : kind.keys) reading.Read(place);
    }
  }
}

std::vector<std::string> FolderPaths(const EntryKind& kind, const Environment& environment) {
  std::vector<std::string> paths;
  for (const auto& folder : Folders(kind, environment)) paths.push_back(folder.searched);
  return paths;
}

bool IsFileOfRow(const EntryKind& kind, const Environment& environment, const std::string& path) {
  const auto slash = path.rfind('\\');
  if (slash == std::string::npos) return false;
  const auto name = path.substr(slash + 1);
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
    return false;
  }
  const auto folder = FoldCase(path.substr(0, slash));
  for (const auto& listed : Folders(kind, environment)) {
    if (!listed.base.empty() && FoldCase(listed.recorded) == folder &&
        MatchesMask(name, listed.mask)) {
      return true;
    }
  }
  return false;
}

bool IsAutostartLine(const std::string& line, const std::string& key) {
  auto head = line.substr(0, key.size());
  for (auto& c : head) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return head == key && line != key;
}

}  // namespace corvane
