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
// "\", data; the data may hold backslashes of its own.
bool LocateValueWithData(LocatedEntry& located, const std::string& text) {
  if (text.empty()) return false;
  const char root_code = text[0];
  const auto rest = text.substr(1);
  const bool below_subkey = located.kind->reads == Reads::kSubkeyValues;
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
        if (rest.compare(name_at, name.size() + 1, name + '\\') != 0) continue;
        SetPlace(located, place, rest.substr(0, name_at - 1));
        located.value = &value;
        located.name = name;
        located.data = rest.substr(name_at + name.size() + 1);
        return true;
      }
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
    case Reads::kSubkeyValues:
      found = LocateValueWithData(located, text);
      break;
    case Reads::kSubkeys:
      found = LocateSubkey(located, text);
      break;
    case Reads::kFolderFiles:
    case Reads::kIniLines:
    case Reads::kTasks:
      located.name = text;
      break;
  }
  if (!found) return std::nullopt;
  return located;
}

std::optional<ValuePlace> CommandValueOf(const LocatedEntry& located) {
  switch (located.kind->command) {
    case CommandFrom::kValueData:
      return ValuePlace{located.root, located.key_path, located.name};
    case CommandFrom::kSubkeyValue:
      return ValuePlace{located.root, located.RegistryPath(), located.kind->command_value};
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

}  // namespace corvane
