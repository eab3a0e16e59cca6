#include "platform/memory/memory_registry.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/case_fold.h"

namespace corvane {

struct MemoryRegistry::Key {
  std::string name;
  std::vector<std::pair<std::string, RegistryValue>> values;  // in creation order
  std::vector<std::shared_ptr<Key>> subkeys;                  // in creation order
  std::unordered_map<std::string, std::shared_ptr<Key>> subkeys_by_name;  // folded names
  bool refuses_reading = false;
  bool refuses_writing = false;
  bool deleted = false;  // an accessor may still hold a key that was deleted

  std::shared_ptr<Key> Subkey(const std::string& wanted) const {
    const auto it = subkeys_by_name.find(FoldCase(wanted));
    return it == subkeys_by_name.end() ? nullptr : it->second;
  }

  std::shared_ptr<Key> AddSubkey(const std::string& subkey_name) {
    auto subkey = std::make_shared<Key>();
    subkey->name = subkey_name;
    subkeys.push_back(subkey);
    subkeys_by_name[FoldCase(subkey_name)] = subkey;
    return subkey;
  }

  void RemoveSubkey(const std::shared_ptr<Key>& subkey) {
    subkeys_by_name.erase(FoldCase(subkey->name));
    subkeys.erase(std::find(subkeys.begin(), subkeys.end(), subkey));
  }

  RegistryValue* Value(const std::string& wanted) {
    const auto folded = FoldCase(wanted);
    for (auto& [name, value] : values) {
      if (FoldCase(name) == folded) return &value;
    }
    return nullptr;
  }
};

namespace {

using Key = MemoryRegistry::Key;

// Strings are kept as text, so raw strings are made anew as Windows would
// hold them.
RawValue RawOf(const RegistryValue& value) {
  switch (value.type) {
    case RegistryValueType::kString:
      return RawStringValue(kTextValueType, value.data);
    case RegistryValueType::kExpandString:
      return RawStringValue(kExpandableTextValueType, value.data);
    case RegistryValueType::kInteger:
      return RawNumberValue(static_cast<std::int32_t>(value.number));
    default:
      return RawValue{value.binary_type, value.data};
  }
}

RegistryValue ValueOf(const RawValue& raw) {
  RegistryValue value;
  if (raw.type == kTextValueType || raw.type == kExpandableTextValueType) {
    value.type = raw.type == kTextValueType ? RegistryValueType::kString
                                            : RegistryValueType::kExpandString;
    value.data = *TextOfRawValue(raw);
  } else if (const auto number = NumberOfRawValue(raw)) {
    value.type = RegistryValueType::kInteger;
    value.number = static_cast<std::uint32_t>(*number);
  } else {
    value.type = RegistryValueType::kBinary;
    value.binary_type = raw.type;
    value.data = raw.bytes;
  }
  return value;
}

// Path components; leading, trailing and doubled backslashes name nothing.
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

void MarkDeleted(Key& key) {
  key.deleted = true;
  for (auto& subkey : key.subkeys) MarkDeleted(*subkey);
}

// The key a path names below `from`, with its parent; either is null when
// the path leads nowhere (an empty path names no subkey).
struct Located {
  std::shared_ptr<Key> parent;
  std::shared_ptr<Key> target;
};
Located Locate(std::shared_ptr<Key> from, const std::string& path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return {};
  const auto last = parts.back();
  parts.pop_back();
  for (const auto& part : parts) {
    from = from->Subkey(part);
    if (!from) return {};
  }
  auto target = from->Subkey(last);
  return {std::move(from), std::move(target)};
}

// Takes the subkey out of its parent; accessors still holding it see it dead.
void Detach(Key& parent, const std::shared_ptr<Key>& target) {
  MarkDeleted(*target);
  parent.RemoveSubkey(target);
}

// Deletes the subkeys of `key` deepest first, then reports whether `key`
// itself may go. Stops at the first key that refuses, as Windows does.
bool DeleteTree(Key& key) {
  while (!key.subkeys.empty()) {
    const auto last = key.subkeys.back();
    if (!DeleteTree(*last)) return false;
    Detach(key, last);
  }
  return !key.refuses_writing;
}

}  // namespace

class MemoryRegistryAccessor : public RegistryAccessor {
 public:
  explicit MemoryRegistryAccessor(MemoryRegistry& registry) : registry_(registry) {}

  void SetRoot(RegistryRoot root) override { root_ = root; }

  std::string OpenKeyIdentity() override {
    return key_ ? std::to_string(reinterpret_cast<std::uintptr_t>(key_.get())) : std::string();
  }

  bool OpenKey(const std::string& path, bool create, KeyAccess access) override {
    CloseKey();
    auto key = registry_.Root(root_);
    for (const auto& part : SplitPath(path)) {
      auto next = key->Subkey(part);
      if (!next) {
        if (!create || key->refuses_writing) return false;
        next = key->AddSubkey(part);
      }
      key = next;
    }
    if (key->refuses_reading) return false;
    if (access == KeyAccess::kReadWrite && key->refuses_writing) return false;
    key_ = key;
    writable_ = access == KeyAccess::kReadWrite;
    return true;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    if (Usable()) {
      for (const auto& entry : key_->values) names.push_back(entry.first);
    }
    return names;
  }

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    if (Usable()) {
      for (const auto& subkey : key_->subkeys) names.push_back(subkey->name);
    }
    return names;
  }

  std::vector<NamedValue> Values() override {
    std::vector<NamedValue> values;
    if (Usable()) {
      for (const auto& [name, value] : key_->values) values.push_back({name, RawOf(value)});
    }
    return values;
  }

  std::optional<RawValue> ReadRawValue(const std::string& name) override {
    const auto* value = Usable() ? key_->Value(name) : nullptr;
    if (!value) return std::nullopt;
    return RawOf(*value);
  }

  bool WriteRawValue(const std::string& name, const RawValue& raw) override {
    if (!Writable()) return false;
    if (auto* existing = key_->Value(name)) {
      *existing = ValueOf(raw);
    } else {
      key_->values.emplace_back(name, ValueOf(raw));
    }
    return true;
  }

  bool DeleteValue(const std::string& name) override {
    if (!Writable()) return false;
    auto& values = key_->values;
    const auto folded = FoldCase(name);
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const auto& entry) { return FoldCase(entry.first) == folded; });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
  }

  bool DeleteKey(const std::string& name) override {
    if (!Usable()) return false;
    // The name may be a path below the open key.
    const auto [parent, target] = Locate(key_, name);
    if (!target || target->refuses_reading) return false;
    if (!DeleteTree(*target)) return false;
    Detach(*parent, target);
    return true;
  }

  void CloseKey() override {
    key_.reset();
    writable_ = false;
  }

 private:
  bool Usable() const { return key_ && !key_->deleted; }
  bool Writable() const { return Usable() && writable_ && !key_->refuses_writing; }

  MemoryRegistry& registry_;
  RegistryRoot root_ = RegistryRoot::kCurrentUser;
  std::shared_ptr<Key> key_;
  bool writable_ = false;
};

MemoryRegistry::MemoryRegistry()
    : local_machine_(std::make_shared<Key>()), current_user_(std::make_shared<Key>()) {}

MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryAccessor> MemoryRegistry::CreateAccessor() {
  return std::make_unique<MemoryRegistryAccessor>(*this);
}

std::shared_ptr<Key> MemoryRegistry::Root(RegistryRoot root) const {
  return root == RegistryRoot::kLocalMachine ? local_machine_ : current_user_;
}

std::shared_ptr<Key> MemoryRegistry::Find(RegistryRoot root, const std::string& path) const {
  auto key = Root(root);
  for (const auto& part : SplitPath(path)) {
    key = key->Subkey(part);
    if (!key) return nullptr;
  }
  return key;
}

std::shared_ptr<Key> MemoryRegistry::FindOrCreate(RegistryRoot root, const std::string& path) {
  auto key = Root(root);
  for (const auto& part : SplitPath(path)) {
    auto next = key->Subkey(part);
    if (!next) next = key->AddSubkey(part);
    key = next;
  }
  return key;
}

void MemoryRegistry::ShareKey(RegistryRoot root, const std::string& path,
                              const std::string& shared_with) {
  auto shared = FindOrCreate(root, shared_with);
  const auto parts = SplitPath(path);
  auto parent = FindOrCreate(root, path.substr(0, path.rfind('\\')));
  if (auto old = parent->Subkey(parts.back())) parent->RemoveSubkey(old);
  parent->subkeys.push_back(shared);
  parent->subkeys_by_name[FoldCase(parts.back())] = shared;
}

void MemoryRegistry::CreateKey(RegistryRoot root, const std::string& path) {
  FindOrCreate(root, path);
}

void MemoryRegistry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                              RegistryValue value) {
  auto key = FindOrCreate(root, path);
  if (auto* existing = key->Value(name)) {
    *existing = std::move(value);
  } else {
    key->values.emplace_back(name, std::move(value));
  }
}

void MemoryRegistry::SetString(RegistryRoot root, const std::string& path, const std::string& name,
                               const std::string& data) {
  SetValue(root, path, name, {RegistryValueType::kString, data, 0});
}

void MemoryRegistry::SetExpandString(RegistryRoot root, const std::string& path,
                                     const std::string& name, const std::string& data) {
  SetValue(root, path, name, {RegistryValueType::kExpandString, data, 0});
}

void MemoryRegistry::SetInteger(RegistryRoot root, const std::string& path,
                                const std::string& name, std::uint32_t number) {
  SetValue(root, path, name, {RegistryValueType::kInteger, {}, number});
}

void MemoryRegistry::SetBinary(RegistryRoot root, const std::string& path, const std::string& name,
                               const std::string& bytes) {
  SetValue(root, path, name, {RegistryValueType::kBinary, bytes, 0});
}

void MemoryRegistry::RemoveValue(RegistryRoot root, const std::string& path,
                                 const std::string& name) {
  if (auto key = Find(root, path)) {
    const auto folded = FoldCase(name);
    auto& values = key->values;
    values.erase(std::remove_if(values.begin(), values.end(),
                                [&](const auto& entry) { return FoldCase(entry.first) == folded; }),
                 values.end());
  }
}

void MemoryRegistry::RemoveKey(RegistryRoot root, const std::string& path) {
  const auto [parent, target] = Locate(Root(root), path);
  if (target) Detach(*parent, target);
}

bool MemoryRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::GetValue(RegistryRoot root, const std::string& path,
                                                      const std::string& name) const {
  auto key = Find(root, path);
  if (!key) return std::nullopt;
  if (const auto* value = key->Value(name)) return *value;
  return std::nullopt;
}

void MemoryRegistry::RefuseReading(RegistryRoot root, const std::string& path) {
  FindOrCreate(root, path)->refuses_reading = true;
}

void MemoryRegistry::RefuseWriting(RegistryRoot root, const std::string& path) {
  FindOrCreate(root, path)->refuses_writing = true;
}

}  // namespace corvane
