#include "monitor/service_scanners.h"

#include "monitor/autostart_locations.h"
#include "monitor/registry_scanners.h"
#include "platform/errors.h"

namespace corvane {

namespace {

// Whether the service starts automatically with a program to start; errors
// in reading it go up to the caller.
bool IsAutomaticService(Registry& registry, const std::string& name) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  if (!accessor->OpenKey(std::string(locations::kServicesKey) + '\\' + name, false,
                         KeyAccess::kRead)) {
    return false;
  }
  const auto image_path = accessor->ReadString(locations::kServiceImagePathValue);
  const auto start = accessor->ReadInteger(locations::kServiceStartValue);
  return !image_path.empty() && start == locations::kServiceStartAutomatic;
}

}  // namespace

void ScanServices(Registry& registry, EntryTable& current) {
  const auto services = registry.CreateAccessor();
  services->SetRoot(RegistryRoot::kLocalMachine);
  if (!services->OpenKey(locations::kServicesKey, false, KeyAccess::kRead)) return;
  for (const auto& name : services->SubkeyNames()) {
    try {
      if (IsAutomaticService(registry, name)) {
        current.Append(MakeEntry(entry_type::kService, name));
      }
    } catch (const RegistryError&) {
      // One unreadable service must not hide the others.
    }
  }
}

void ScanBrowserHelpers(Registry& registry, EntryTable& current) {
  const auto views = DistinctViews(registry, kLocalMachineRootCode, locations::kBrowserHelpersKey);
  for (const auto& path : views) {
    const auto accessor = registry.CreateAccessor();
    accessor->SetRoot(RegistryRoot::kLocalMachine);
    if (!accessor->OpenKey(path, false, KeyAccess::kRead)) continue;
    // The 64-bit view's objects keep their bare names; another view's carry
    // the path of their key, which no bare name begins with.
    const auto prefix = path == locations::kBrowserHelpersKey ? std::string() : path + '\\';
    for (const auto& name : accessor->SubkeyNames()) {
      current.Append(MakeEntry(entry_type::kBrowserHelper, prefix + name));
    }
  }
}

}  // namespace corvane
