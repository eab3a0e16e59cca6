#include "monitor/located_entry.h"

#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"

namespace corvane {

namespace {

constexpr char kClassesKey[] = "\\Software\\Classes";
constexpr char kClassIdsKey[] = "\\CLSID\\";
constexpr char kServerKey[] = "\\InprocServer32";
constexpr char kDefaultValue[] = "";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

void SetPlace(LocatedEntry& located, const RegistryPlace& place, std::string key_path) {
  located.place = &place;
  located.root_code = place.root_code;
  located.root = RootOfCode(place.root_code);
  located.key_path = std::move(key_path);
}

// Types 1 and 2: key path, "\", value name.
bool LocateValueName(LocatedEntry& located, const std::string& text) {
  for (const auto& place : located.kind->keys) {
    for (auto& view : ViewsOf(place)) {
      const auto prefix = view + '\\';
      if (!StartsWith(text, prefix)) continue;
      located.name = text.substr(prefix.size());
      SetPlace(located, place, std::move(view));
      return true;
    }
  }
  const auto last = text.rfind('\\');
  if (last == std::string::npos || located.kind->keys.empty()) return false;
  SetPlace(located, located.kind->keys.front(), text.substr(0, last));
  located.name = text.substr(last + 1);
  return true;
}

// Root code, key path (with the subkey for kSubkeyValues), "\", value name,
// then, but for kNamedCommands, "\" and data; the data may hold backslashes
// of its own.
bool LocateNamedValue(LocatedEntry& located, const std::string& text) {
  if (text.empty()) return false;
  const char root_code = text[0];
  const auto rest = text.substr(1);
  const bool below_subkey = located.kind->reads == Reads::kSubkeyValues;
  const bool with_data = located.kind->reads != Reads::kNamedCommands;
  for (const auto& place : located.kind->keys) {
    if (place.root_code != root_code) continue;
    for (auto& view : ViewsOf(place)) {
      const auto prefix = view + '\\';
      if (!StartsWith(rest, prefix)) continue;
      auto name_at = prefix.size();
      if (below_subkey) {
        const auto slash = rest.find('\\', name_at);
        if (slash == std::string::npos) continue;
        name_at = slash + 1;
      }
      for (const auto& value : place.values) {
        const std::string name = value.name;
        if (with_data ? rest.compare(name_at, name.size() + 1, name + '\\') != 0
                      : rest.substr(name_at) != name) {
          continue;
        }
        SetPlace(located, place, rest.substr(0, name_at - 1));
        located.value = &value;
        located.name = name;
        if (with_data) located.data = rest.substr(name_at + name.size() + 1);
        return true;
      }
    }
  }
  return false;
}

// Root code, key path, "\", subkey, "\", value name: a key's name holds no
// backslash, a value's name may.
bool LocateSubkeyValueName(LocatedEntry& located, const std::string& text) {
  if (text.empty()) return false;
  const auto rest = text.substr(1);
  for (const auto& place : located.kind->keys) {
    if (place.root_code != text[0]) continue;
    for (const auto& view : ViewsOf(place)) {
      const auto prefix = view + '\\';
      if (!StartsWith(rest, prefix)) continue;
      const auto slash = rest.find('\\', prefix.size());
      if (slash == std::string::npos || slash == prefix.size()) continue;
      SetPlace(located, place, rest.substr(0, slash));
      located.name = rest.substr(slash + 1);
      return true;
    }
  }
  return false;
}

// The first view's subkeys by bare name, any other view's by their key's
// full path, which no bare name begins with.
bool LocateSubkey(LocatedEntry& located, const std::string& text) {
  const auto& keys = located.kind->keys;
  if (keys.empty() || text.empty()) return false;
  const auto last = text.rfind('\\');
  if (text[0] != '\\' || last == std::string::npos) {
    SetPlace(located, keys.front(), keys.front().key);
    located.name = text;
    return true;
  }
  const auto parent = text.substr(0, last);
  for (const auto& place : keys) {
    for (auto& view : ViewsOf(place)) {
      if (view != parent) continue;
      SetPlace(located, place, std::move(view));
      located.name = text.substr(last + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<LocatedEntry> Locate(const std::string& entry) {
  if (entry.empty()) return std::nullopt;
  LocatedEntry located;
  located.kind = KindOf(entry[0]);
  if (located.kind == nullptr) return std::nullopt;
  const auto text = entry.substr(1);
  bool found = true;
  switch (located.kind->reads) {
    case Reads::kValueNames:
      found = LocateValueName(located, text);
      break;
    case Reads::kNamedValues:
    case Reads::kNamedCommands:
    case Reads::kMultiStringItems:
    case Reads::kSubkeyValues:
      found = LocateNamedValue(located, text);
      break;
    case Reads::kSubkeyValueNames:
      found = LocateSubkeyValueName(located, text);
      break;
    case Reads::kSubkeys:
      found = LocateSubkey(located, text);
      break;
    case Reads::kFolderFiles:
    case Reads::kIniLines:
    case Reads::kLibrary:
      located.name = text;
      break;
  }
  if (!found) return std::nullopt;
  return located;
}

std::vector<std::string> EntriesOfSameSubkey(const std::string& entry) {
  const auto* kind = entry.empty() ? nullptr : KindOf(entry[0]);
  if (kind == nullptr || kind->reads != Reads::kSubkeys || kind->keys.empty()) return {};
  const auto& key = kind->keys.front();
  std::vector<std::string> entries;
  for (const auto& other : EntryKinds()) {
    if (&other == kind || other.reads != Reads::kSubkeys || other.keys.empty()) continue;
    if (other.keys.front().root_code == key.root_code && other.keys.front().key == key.key) {
      entries.push_back(MakeEntry(other.type_code, entry.substr(1)));
    }
  }
  return entries;
}

std::optional<ValuePlace> CommandValueOf(const LocatedEntry& located) {
  switch (located.kind->command) {
    case CommandFrom::kValueData:
    case CommandFrom::kApprovedState:
      return ValuePlace{located.root, located.key_path, located.name};
    case CommandFrom::kSubkeyValue:
      return ValuePlace{located.root, located.RegistryPath() + located.kind->command_key,
                        located.kind->command_value};
    case CommandFrom::kClassServer: {
      // The 32-bit view's objects are registered in the 32-bit view's classes.
      const bool other_view = located.key_path != located.place->key;
      const std::string classes =
          std::string(kClassesKey) + (other_view ? locations::kThirtyTwoBitViewKey : "");
      return ValuePlace{located.root, classes + kClassIdsKey + located.name + kServerKey,
                        kDefaultValue};
    }
    default:
      return std::nullopt;
  }
}

std::string ShownNameOf(const std::string& entry) {
  const auto located = Locate(entry);
  return located ? ShownNameOf(*located) : "";
}

std::string ShownNameOf(const LocatedEntry& located) {
  if (located.place != nullptr) return located.name;
  const std::string& text = located.name;
  if (located.kind->reads == Reads::kIniLines) return text.substr(text.find('=') + 1);
  return text.substr(text.rfind('\\') + 1);
}

}  // namespace corvane
