#include "monitor/registry_scanners.h"

#include <algorithm>

#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "platform/errors.h"

namespace corvane {

std::vector<std::string> DistinctViews(Registry& registry, char root_code,
                                       const std::string& key_path) {
  std::vector<std::string> views;
  std::vector<std::string> seen;
  for (auto& path : locations::ViewsOf(root_code, key_path)) {
    const auto accessor = registry.CreateAccessor();
    accessor->SetRoot(RootOfCode(root_code));
    if (!accessor->OpenKey(path, false, KeyAccess::kRead)) continue;
    auto identity = accessor->OpenKeyIdentity();
    if (std::find(seen.begin(), seen.end(), identity) != seen.end()) continue;
    seen.push_back(std::move(identity));
    views.push_back(std::move(path));
  }
  return views;
}

void ScanKeyValues(Registry& registry, EntryTable& current, const std::string& key_path,
                   char root_code) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(RootOfCode(root_code));
  if (!accessor->OpenKey(key_path, false, KeyAccess::kRead)) return;
  for (const auto& name : accessor->ValueNames()) {
    current.Append(MakeRunValueEntry(root_code, key_path, name));
  }
}

void ScanSingleValue(Registry& registry, EntryTable& current, const std::string& key_path,
                     char root_code, const std::string& value_name) {
  ScanValueWithData(registry, current, entry_type::kRegistryStringValue, root_code, key_path,
                    value_name);
}

void ScanValueWithData(Registry& registry, EntryTable& current, char type_code, char root_code,
                       const std::string& key_path, const std::string& value_name) {
  std::string data;
  try {
    const auto accessor = registry.CreateAccessor();
    accessor->SetRoot(RootOfCode(root_code));
    accessor->OpenKey(key_path, false, KeyAccess::kRead);
    data = accessor->ReadString(value_name);
  } catch (const RegistryError&) {
    data.clear();  // a value that is no string starts nothing Corvane could name
  }
  if (!data.empty()) {
    current.Append(MakeValueWithDataEntry(type_code, root_code, key_path, value_name, data));
  }
}

void ScanDebuggers(Registry& registry, EntryTable& current, const std::string& key_path) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  if (!accessor->OpenKey(key_path, false, KeyAccess::kRead)) return;
  for (const auto& program : accessor->SubkeyNames()) {
    ScanValueWithData(registry, current, entry_type::kDebuggerValue, kLocalMachineRootCode,
                      key_path + '\\' + program, locations::kDebuggerValue);
  }
}

}  // namespace corvane
