#include "removal/registry_removals.h"

#include "monitor/autostart_locations.h"
#include "monitor/entry_table.h"
#include "monitor/registry_scanners.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"
#include "platform/errors.h"
#include "removal/registry_places.h"

namespace corvane {

namespace {

constexpr std::int32_t kServiceDisabled = 4;

std::string ServiceKey(const std::string& service_name) {
  return std::string(locations::kServicesKey) + '\\' + service_name;
}

// The key that holds a browser helper object and the object's subkey name:
// the 64-bit view's entries name only the object, the 32-bit view's carry
// the whole path of its key.
std::pair<std::string, std::string> BrowserHelperParent(const std::string& object) {
  const auto last = object.rfind('\\');
  if (object.empty() || object[0] != '\\' || last == std::string::npos) {
    return {locations::kBrowserHelpersKey, object};
  }
  return {object.substr(0, last), object.substr(last + 1)};
}

std::unique_ptr<RegistryAccessor> Open(Registry& registry, RegistryRoot root,
                                       const std::string& key_path, KeyAccess access) {
  return OpenAt(registry, root, key_path, access);
}

// Keeps the value as it is now, with what the removal will leave in its
// place; false when it cannot be read or its backup cannot be written, and
// then nothing may be removed.
bool KeepValue(Registry& registry, BackupKeeper& keeper, RegistryRoot root,
               const std::string& key_path, const std::string& name, ValueLeft left) {
  const auto before = ReadRawAt(registry, root, key_path, name);
  return before && KeepBackup(keeper, ValueBackup{root, key_path, name, *before, std::move(left)});
}

ValueLeft TextLeft(const std::string& text) {
  ValueLeft left;
  left.kind = ValueLeft::Kind::kText;
  left.text = text;
  return left;
}

bool ValueExists(Registry& registry, RegistryRoot root, const std::string& key_path,
                 const std::string& name) {
  return Open(registry, root, key_path, KeyAccess::kRead)->ValueExists(name);
}

bool KeyExists(Registry& registry, RegistryRoot root, const std::string& key_path) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(root);
  return accessor->OpenKey(key_path, false, KeyAccess::kRead);
}

bool StartPageIsSet(Registry& registry) {
  EntryTable found;
  ScanSingleValue(registry, found, locations::kStartPageKey, locations::kStartPageRootCode,
                  locations::kStartPageValue);
  return found.Count() != 0;
}

bool ServiceStartsAutomatically(Registry& registry, const std::string& service_name) {
  try {
    return Open(registry, RegistryRoot::kLocalMachine, ServiceKey(service_name), KeyAccess::kRead)
               ->ReadInteger(locations::kServiceStartValue) == locations::kServiceStartAutomatic;
  } catch (const RegistryError&) {
    return false;  // no key, no start value: nothing starts by it
  }
}

// The one rule of every removal: what the fresh look finds decides; the
// call's own result tells a removal from an item that went by itself.
RemovalResult Outcome(bool call_succeeded, bool still_in_place) {
  if (still_in_place) return RemovalResult::kRefused;
  return call_succeeded ? RemovalResult::kRemoved : RemovalResult::kAlreadyGone;
}

// The keys under which entries of a type that carries its data are made, and
// how many subkey names (a debugger's program) follow such a key.
struct ValueParent {
  char root_code;
  std::string path;
  int subkeys = 0;
};

std::vector<ValueParent> ValueParentsOf(char type_code) {
  using namespace locations;
  std::vector<ValueParent> parents;
  const auto add_views = [&parents](const char* key, int subkeys) {
    for (auto& path : ViewsOf(kLocalMachineRootCode, key)) {
      parents.push_back({kLocalMachineRootCode, std::move(path), subkeys});
    }
  };
  switch (type_code) {
    case entry_type::kRegistryStringValue:
      parents.push_back({kStartPageRootCode, kStartPageKey});
      break;
    case entry_type::kWinlogonValue:
      add_views(kWinlogonKey, 0);
      parents.push_back({kCurrentUserRootCode, kWinlogonKey});
      break;
    case entry_type::kDebuggerValue:
      add_views(kImageOptionsKey, 1);
      break;
    case entry_type::kAppInitValue:
      add_views(kWindowsKey, 0);
      break;
  }
  return parents;
}

// What declining the value leaves in its place; no value: delete it. An
// empty result stands for a default that cannot be known.
std::optional<std::string> Replacement(char type_code, const ValueWithData& value,
                                       const Environment& environment) {
  using namespace locations;
  if (type_code == entry_type::kAppInitValue) return std::string();
  if (type_code != entry_type::kWinlogonValue || value.root_code != kLocalMachineRootCode) {
    return std::nullopt;
  }
  if (value.value_name != kWinlogonUserinitValue) return std::string(kDefaultShell);
  const auto windows = environment.Get(kWindowsDirectoryVariable);
  return windows.empty() ? std::string() : windows + kDefaultUserinit;
}

bool HoldsData(Registry& registry, const ValueWithData& value) {
  try {
    return Open(registry, RootOfCode(value.root_code), value.key_path, KeyAccess::kRead)
               ->ReadString(value.value_name) == value.data;
  } catch (const RegistryError&) {
    return false;  // another type now: the declined text is gone
  }
}

}  // namespace

std::optional<ValueWithData> LocateValueWithData(const std::string& entry) {
  if (entry.size() < 2) return std::nullopt;
  const char root_code = entry[1];
  const auto text = entry.substr(2);
  for (const auto& parent : ValueParentsOf(entry[0])) {
    const auto prefix = parent.path + '\\';
    if (parent.root_code != root_code || text.compare(0, prefix.size(), prefix) != 0) continue;
    auto name_at = prefix.size();
    for (int i = 0; i < parent.subkeys && name_at != std::string::npos; ++i) {
      const auto slash = text.find('\\', name_at);
      name_at = slash == std::string::npos ? slash : slash + 1;
    }
    const auto data_at = name_at == std::string::npos ? name_at : text.find('\\', name_at);
    if (data_at == std::string::npos) continue;
    return ValueWithData{root_code, text.substr(0, name_at - 1),
                         text.substr(name_at, data_at - name_at), text.substr(data_at + 1)};
  }
  return std::nullopt;
}

std::optional<std::string> EntryLeftByValueRemoval(const Environment& environment,
                                                   const std::string& entry) {
  const auto value = LocateValueWithData(entry);
  if (!value) return std::nullopt;
  const auto replacement = Replacement(entry[0], *value, environment);
  // An empty value makes no entry.
  if (!replacement || replacement->empty()) return std::nullopt;
  return MakeValueWithDataEntry(entry[0], value->root_code, value->key_path, value->value_name,
                                *replacement);
}

RemovalResult RemoveValueWithData(Registry& registry, const Environment& environment,
                                  BackupKeeper& keeper, const std::string& entry) {
  const auto value = LocateValueWithData(entry);
  if (!value || !HoldsData(registry, *value)) return RemovalResult::kAlreadyGone;
  const auto replacement = Replacement(entry[0], *value, environment);
  if (replacement && FoldCase(*replacement) == FoldCase(value->data)) {
    return RemovalResult::kAlreadyGone;  // it holds the default already
  }
  // A default that cannot be known is never guessed: Windows would not log on.
  if (replacement && replacement->empty() && entry[0] == entry_type::kWinlogonValue) {
    return RemovalResult::kRefused;
  }
  const auto root = RootOfCode(value->root_code);
  if (!KeepValue(registry, keeper, root, value->key_path, value->value_name,
                 replacement ? TextLeft(*replacement) : ValueLeft{})) {
    return RemovalResult::kRefused;
  }
  bool done = false;
  if (replacement) {
    try {
      Open(registry, root, value->key_path, KeyAccess::kReadWrite)
          ->WriteString(value->value_name, *replacement);
      done = true;
    } catch (const RegistryError&) {
      done = false;
    }
  } else {
    done = Open(registry, root, value->key_path, KeyAccess::kReadWrite)
               ->DeleteValue(value->value_name);
  }
  return Settle(keeper, Outcome(done, HoldsData(registry, *value)));
}

RunValueLocation LocateRunValue(const std::string& entry) {
  const auto text = entry.substr(1);
  for (const auto& key : locations::ScannedRunKeys()) {
    const std::string prefix = key.path + '\\';
    if (key.root_code == entry.at(0) && text.compare(0, prefix.size(), prefix) == 0) {
      return {key.path, text.substr(prefix.size())};
    }
  }
  const auto last = entry.rfind('\\');
  if (last == std::string::npos || last == 0) return {"", entry.substr(1)};
  return {entry.substr(1, last), entry.substr(last + 1)};
}

RemovalResult RemoveRegistryStartup(Registry& registry, BackupKeeper& keeper,
                                    const std::string& entry) {
  const auto root = RootOfCode(entry.at(0));
  const auto [key_path, value_name] = LocateRunValue(entry);
  if (!ValueExists(registry, root, key_path, value_name)) return RemovalResult::kAlreadyGone;
  if (!KeepValue(registry, keeper, root, key_path, value_name, ValueLeft{})) {
    return RemovalResult::kRefused;
  }
  const bool deleted =
      Open(registry, root, key_path, KeyAccess::kReadWrite)->DeleteValue(value_name);
  return Settle(keeper, Outcome(deleted, ValueExists(registry, root, key_path, value_name)));
}

RemovalResult RemoveIEStartPage(Registry& registry, BackupKeeper& keeper) {
  if (!StartPageIsSet(registry)) return RemovalResult::kAlreadyGone;
  const auto root = RootOfCode(locations::kStartPageRootCode);
  if (!KeepValue(registry, keeper, root, locations::kStartPageKey, locations::kStartPageValue,
                 TextLeft(""))) {
    return RemovalResult::kRefused;
  }
  bool written = true;
  try {
    Open(registry, root, locations::kStartPageKey, KeyAccess::kReadWrite)
        ->WriteString(locations::kStartPageValue, "");
  } catch (const RegistryError&) {
    written = false;
  }
  return Settle(keeper, Outcome(written, StartPageIsSet(registry)));
}

std::string BrowserHelperKey(const std::string& object) {
  const auto [parent, subkey_name] = BrowserHelperParent(object);
  return parent + '\\' + subkey_name;
}

RemovalResult RemoveIEBHO(Registry& registry, BackupKeeper& keeper, const std::string& object) {
  const auto root = RegistryRoot::kLocalMachine;
  const auto [parent, subkey_name] = BrowserHelperParent(object);
  const auto key = parent + '\\' + subkey_name;
  if (!KeyExists(registry, root, key)) return RemovalResult::kAlreadyGone;
  const auto tree = ReadKeyTree(registry, root, key);
  if (!tree || !KeepBackup(keeper, KeyBackup{root, parent, subkey_name, *tree})) {
    return RemovalResult::kRefused;
  }
  const bool deleted = Open(registry, root, parent, KeyAccess::kReadWrite)->DeleteKey(subkey_name);
  const auto result = Outcome(deleted, KeyExists(registry, root, key));
  // A tree deleted in part keeps its backup: what went can still be seen.
  if (result == RemovalResult::kRefused && ReadKeyTree(registry, root, key) != tree) return result;
  return Settle(keeper, result);
}

RemovalResult RemoveServiceStartup(Registry& registry, BackupKeeper& keeper,
                                   const std::string& service_name) {
  if (!ServiceStartsAutomatically(registry, service_name)) return RemovalResult::kAlreadyGone;
  ValueLeft disabled;
  disabled.kind = ValueLeft::Kind::kNumber;
  disabled.number = kServiceDisabled;
  if (!KeepValue(registry, keeper, RegistryRoot::kLocalMachine, ServiceKey(service_name),
                 locations::kServiceStartValueWritten, disabled)) {
    return RemovalResult::kRefused;
  }
  bool written = true;
  try {
    Open(registry, RegistryRoot::kLocalMachine, ServiceKey(service_name), KeyAccess::kReadWrite)
        ->WriteInteger(locations::kServiceStartValueWritten, kServiceDisabled);
  } catch (const RegistryError&) {
    written = false;
  }
  return Settle(keeper, Outcome(written, ServiceStartsAutomatically(registry, service_name)));
}

}  // namespace corvane
