// Small registry steps that the removals, the reverting of a change and the
// putting back share.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "removal/backup_record.h"

namespace corvane {

// An accessor on the key; check the key is open (OpenKeyIdentity, or the
// calls' own results) where it matters.
std::unique_ptr<RegistryAccessor> OpenAt(Registry& registry, RegistryRoot root,
                                         const std::string& key_path, KeyAccess access,
                                         bool create = false);

// The value as stored; no value when it or its key is missing or unreadable.
std::optional<RawValue> ReadRawAt(Registry& registry, RegistryRoot root,
                                  const std::string& key_path, const std::string& name);

// The key with every value and subkey below it, parents first; no value
// when the key or anything below it cannot be read whole, or it is nested
// deeper than Windows nests keys.
std::optional<std::vector<KeptKey>> ReadKeyTree(Registry& registry, RegistryRoot root,
                                                const std::string& key_path);

}  // namespace corvane
