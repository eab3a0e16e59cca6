#include "removal/registry_places.h"

namespace corvane {

namespace {

bool ReadBelow(Registry& registry, RegistryRoot root, const std::string& key_path,
               const std::string& below, std::vector<KeptKey>& keys, int depth = 0) {
  if (depth > kDeepestRegistryKey) return false;
  const auto accessor =
      OpenAt(registry, root, below.empty() ? key_path : key_path + '\\' + below, KeyAccess::kRead);
  if (accessor->OpenKeyIdentity().empty()) return false;
  KeptKey kept{below, {}};
  for (const auto& name : accessor->ValueNames()) {
    auto value = accessor->ReadRawValue(name);
    if (!value) return false;
    kept.values.emplace_back(name, std::move(*value));
  }
  keys.push_back(std::move(kept));
  for (const auto& subkey : accessor->SubkeyNames()) {
    if (!ReadBelow(registry, root, key_path, below.empty() ? subkey : below + '\\' + subkey, keys,
                   depth + 1)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<RegistryAccessor> OpenAt(Registry& registry, RegistryRoot root,
                                         const std::string& key_path, KeyAccess access,
                                         bool create) {
  auto accessor = registry.CreateAccessor();
  accessor->SetRoot(root);
  accessor->OpenKey(key_path, create, access);
  return accessor;
}

std::optional<RawValue> ReadRawAt(Registry& registry, RegistryRoot root,
                                  const std::string& key_path, const std::string& name) {
  return OpenAt(registry, root, key_path, KeyAccess::kRead)->ReadRawValue(name);
}

std::optional<std::vector<KeptKey>> ReadKeyTree(Registry& registry, RegistryRoot root,
                                                const std::string& key_path) {
  std::vector<KeptKey> keys;
  if (!ReadBelow(registry, root, key_path, "", keys)) return std::nullopt;
  return keys;
}

}  // namespace corvane
