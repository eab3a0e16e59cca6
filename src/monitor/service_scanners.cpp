#include "monitor/service_scanners.h"

#include <optional>

#include "monitor/autostart_locations.h"
#include "monitor/registry_scanners.h"
#include "platform/errors.h"
#include "texts.h"

namespace corvane {

namespace {

// What the service starts when it starts automatically with a program to
// start; errors in reading it go up to the caller.
std::optional<StartedCommand> AutomaticServiceCommand(Registry& registry,
                                                      const std::string& name) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  if (!accessor->OpenKey(std::string(locations::kServicesKey) + '\\' + name, false,
                         KeyAccess::kRead)) {
    return std::nullopt;
  }
  auto image_path = accessor->ReadRawValue(locations::kServiceImagePathValue);
  if (!image_path) return std::nullopt;
  auto text = TextOfRawValue(*image_path);
  if (!text) throw RegistryError(FormatText(texts::kInvalidDataType, name));
  const auto start = accessor->ReadInteger(locations::kServiceStartValue);
  if (text->empty() || start != locations::kServiceStartAutomatic) return std::nullopt;
  return StartedCommand{std::move(*text), std::move(*image_path), {}};
}

}  // namespace

void ScanServices(Registry& registry, EntryTable& current, CommandTable* commands) {
  const auto services = registry.CreateAccessor();
  services->SetRoot(RegistryRoot::kLocalMachine);
  if (!services->OpenKey(locations::kServicesKey, false, KeyAccess::kRead)) return;
  for (const auto& name : services->SubkeyNames()) {
    try {
      if (auto command = AutomaticServiceCommand(registry, name)) {
        auto entry = MakeEntry(entry_type::kService, name);
        if (commands != nullptr) (*commands)[entry] = std::move(*command);
        current.Append(std::move(entry));
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
