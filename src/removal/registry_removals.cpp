#include "removal/registry_removals.h"

#include "changes/blacklist.h"
#include "monitor/autostart_locations.h"
#include "monitor/registry_scanners.h"
#include "monitor/startup_entry.h"
#include "platform/errors.h"
#include "removal/removal_steps.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr std::int32_t kServiceDisabled = 4;

std::string ServiceKey(const std::string& service_name) {
  return std::string(locations::kServicesKey) + '\\' + service_name;
}

bool ValueExists(Registry& registry, RegistryRoot root, const std::string& key_path,
                 const std::string& name) {
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(root);
  return accessor->OpenKey(key_path, false, KeyAccess::kRead) && accessor->ValueExists(name);
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
  const auto accessor = registry.CreateAccessor();
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  if (!accessor->OpenKey(ServiceKey(service_name), false, KeyAccess::kRead)) return false;
  try {
    return accessor->ReadInteger(locations::kServiceStartValue) ==
           locations::kServiceStartAutomatic;
  } catch (const RegistryError&) {
    return false;
  }
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

void RemoveRegistryStartup(CycleContext& context, const std::string& entry) {
  auto& registry = context.platform.registry;
  auto& files = context.platform.files;
  const auto root = RootOfCode(entry.at(0));
  const auto [key_path, value_name] = LocateRunValue(entry);

  const bool blacklisted = IsBlacklisted(files, value_name);
  const char* suffix = texts::kUserInvokedRegistrySuffix;
  bool remove = false;
  if (blacklisted) {
    context.flags.blacklist_hit = 1;
    suffix = texts::kBlacklistedRegistrySuffix;
    remove = true;
  } else {
    remove = AskToRemove(context, texts::kRegistryStartupType, entry.substr(1));
  }

  if (remove) {
    try {
      {
        const auto accessor = registry.CreateAccessor();
        accessor->SetRoot(root);
        accessor->OpenKey(key_path, false, KeyAccess::kReadWrite);
        accessor->DeleteValue(value_name);
      }
      const bool gone = !ValueExists(registry, root, key_path, value_name);
      RecordOutcome(context, gone, texts::kRegistryStartupLogged + value_name + suffix);
    } catch (const RegistryError&) {
      // The removal's own steps fail silently.
    }
  }

  // Acted on whatever the answer was; a failure to write the list goes up.
  auto& alert = context.alert;
  if (alert.DoNotAskChecked() && alert.DoNotAskEnabled()) {
    AddToBlacklist(files, value_name);
    alert.ClearDoNotAsk();
  }
}

void RemoveIEStartPage(CycleContext& context) {
  if (!AskToRemove(context, texts::kRegistryType, texts::kStartPageLocation)) return;
  auto& registry = context.platform.registry;
  try {
    const auto accessor = registry.CreateAccessor();
    accessor->SetRoot(RootOfCode(locations::kStartPageRootCode));
    accessor->OpenKey(locations::kStartPageKey, false, KeyAccess::kReadWrite);
    accessor->WriteString(locations::kStartPageValue, "");
    RecordOutcome(context, true, std::string(texts::kStartPageLogged) + texts::kUserInvokedSuffix);
  } catch (const RegistryError&) {
    // A refused write is not logged as a removal.
  }
  if (StartPageIsSet(registry)) context.flags.failure = 1;
}

void RemoveIEBHO(CycleContext& context, const std::string& subkey_name) {
  if (!AskToRemove(context, texts::kRegistryType, texts::kBrowserHelperLocation)) return;
  auto& registry = context.platform.registry;
  try {
    {
      const auto accessor = registry.CreateAccessor();
      accessor->SetRoot(RegistryRoot::kLocalMachine);
      accessor->OpenKey(locations::kBrowserHelpersKey, false, KeyAccess::kReadWrite);
      accessor->DeleteKey(subkey_name);
    }
    const bool gone = !KeyExists(registry, RegistryRoot::kLocalMachine,
                                 std::string(locations::kBrowserHelpersKey) + '\\' + subkey_name);
    RecordOutcome(context, gone,
                  std::string(texts::kBrowserHelperLogged) + texts::kUserInvokedSuffix);
  } catch (const RegistryError&) {
    // The removal's own steps fail silently.
  }
}

void RemoveServiceStartup(CycleContext& context, const std::string& service_name) {
  if (!AskToRemove(context, texts::kRegistryServiceType, service_name)) return;
  auto& registry = context.platform.registry;
  try {
    const auto accessor = registry.CreateAccessor();
    accessor->SetRoot(RegistryRoot::kLocalMachine);
    accessor->OpenKey(ServiceKey(service_name), false, KeyAccess::kReadWrite);
    accessor->WriteInteger(locations::kServiceStartValueWritten, kServiceDisabled);
    RecordOutcome(context, true,
                  texts::kServiceStartupLogged + service_name + texts::kUserInvokedSuffix);
  } catch (const RegistryError&) {
    // A service whose key is gone, or that may not be changed, is not logged.
  }
  if (ServiceStartsAutomatically(registry, service_name)) context.flags.failure = 1;
}

}  // namespace corvane
