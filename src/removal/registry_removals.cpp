#include "removal/registry_removals.h"

#include "monitor/autostart_locations.h"
#include "monitor/entry_table.h"
#include "monitor/registry_scanners.h"
#include "monitor/startup_entry.h"
#include "platform/errors.h"

namespace corvane {

namespace {

constexpr std::int32_t kServiceDisabled = 4;

std::string ServiceKey(const std::string& service_name) {
  return std::string(locations::kServicesKey) + '\\' + service_name;
}

std::string BrowserHelperKey(const std::string& subkey_name) {
  return std::string(locations::kBrowserHelpersKey) + '\\' + subkey_name;
}

std::unique_ptr<RegistryAccessor> Open(Registry& registry, RegistryRoot root,
                                       const std::string& key_path, KeyAccess access) {
  auto accessor = registry.CreateAccessor();
  accessor->SetRoot(root);
  accessor->OpenKey(key_path, false, access);
  return accessor;
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

}  // namespace

RunValueLocation LocateRunValue(const std::string& entry) {
  const auto text = entry.substr(1);
  for (const auto& key : locations::kRunKeys) {
    const std::string prefix = std::string(key.path) + '\\';
    if (text.compare(0, prefix.size(), prefix) == 0) {
      return {key.path, text.substr(prefix.size())};
    }
  }
  const auto last = entry.rfind('\\');
  if (last == std::string::npos || last == 0) return {"", entry.substr(1)};
  return {entry.substr(1, last), entry.substr(last + 1)};
}

RemovalResult RemoveRegistryStartup(Registry& registry, const std::string& entry) {
  const auto root = RootOfCode(entry.at(0));
  const auto [key_path, value_name] = LocateRunValue(entry);
  if (!ValueExists(registry, root, key_path, value_name)) return RemovalResult::kAlreadyGone;
  const bool deleted =
      Open(registry, root, key_path, KeyAccess::kReadWrite)->DeleteValue(value_name);
  return Outcome(deleted, ValueExists(registry, root, key_path, value_name));
}

RemovalResult RemoveIEStartPage(Registry& registry) {
  if (!StartPageIsSet(registry)) return RemovalResult::kAlreadyGone;
  bool written = true;
  try {
    Open(registry, RootOfCode(locations::kStartPageRootCode), locations::kStartPageKey,
         KeyAccess::kReadWrite)
        ->WriteString(locations::kStartPageValue, "");
  } catch (const RegistryError&) {
    written = false;
  }
  return Outcome(written, StartPageIsSet(registry));
}

RemovalResult RemoveIEBHO(Registry& registry, const std::string& subkey_name) {
  const auto root = RegistryRoot::kLocalMachine;
  if (!KeyExists(registry, root, BrowserHelperKey(subkey_name))) {
    return RemovalResult::kAlreadyGone;
  }
  const bool deleted =
      Open(registry, root, locations::kBrowserHelpersKey, KeyAccess::kReadWrite)->DeleteKey(subkey_name);
  return Outcome(deleted, KeyExists(registry, root, BrowserHelperKey(subkey_name)));
}

RemovalResult RemoveServiceStartup(Registry& registry, const std::string& service_name) {
  if (!ServiceStartsAutomatically(registry, service_name)) return RemovalResult::kAlreadyGone;
  bool written = true;
  try {
    Open(registry, RegistryRoot::kLocalMachine, ServiceKey(service_name), KeyAccess::kReadWrite)
        ->WriteInteger(locations::kServiceStartValueWritten, kServiceDisabled);
  } catch (const RegistryError&) {
    written = false;
  }
  return Outcome(written, ServiceStartsAutomatically(registry, service_name));
}

}  // namespace corvane
