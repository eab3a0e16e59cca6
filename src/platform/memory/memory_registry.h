// An in-memory registry for the host build: a tree of keys per root, key and
// value names without letter case, listings in creation order, typed values,
// and per-key access rules, so that tests of the logic mean something on Windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace corvane {

enum class RegistryValueType { kString, kExpandString, kInteger, kBinary };

struct RegistryValue {
  RegistryValueType type = RegistryValueType::kString;
  std::string data;           // string, expandable string and binary data
  std::uint32_t number = 0;   // 32-bit integer data
  std::uint32_t binary_type = 3;  // the Windows type of binary data (REG_BINARY, REG_MULTI_SZ...)
};

class MemoryRegistry : public Registry {
 public:
  struct Key;

  MemoryRegistry();
  ~MemoryRegistry() override;

  std::unique_ptr<RegistryAccessor> CreateAccessor() override;

  // Set-up and inspection for tests; keys along the path are created as needed.
  void CreateKey(RegistryRoot root, const std::string& path);
  void SetString(RegistryRoot root, const std::string& path, const std::string& name,
                 const std::string& data);
  void SetExpandString(RegistryRoot root, const std::string& path, const std::string& name,
                       const std::string& data);
  void SetInteger(RegistryRoot root, const std::string& path, const std::string& name,
                  std::uint32_t number);
  void SetBinary(RegistryRoot root, const std::string& path, const std::string& name,
                 const std::string& bytes);
  void RemoveValue(RegistryRoot root, const std::string& path, const std::string& name);
  void RemoveKey(RegistryRoot root, const std::string& path);

  bool KeyExists(RegistryRoot root, const std::string& path) const;
  std::optional<RegistryValue> GetValue(RegistryRoot root, const std::string& path,
                                        const std::string& name) const;

  // Access rules of one key, as an account's rights would set them: a key
  // that refuses reading cannot be opened at all; one that refuses writing
  // can be opened only for reading, and nothing can be created, set or
  // deleted in it.
  void RefuseReading(RegistryRoot root, const std::string& path);
  void RefuseWriting(RegistryRoot root, const std::string& path);

  // Makes the key at `path` the very key at `shared_with` (their last names
  // must match), as 64-bit Windows shares some keys between its two views.
  void ShareKey(RegistryRoot root, const std::string& path, const std::string& shared_with);

 private:
  friend class MemoryRegistryAccessor;
  std::shared_ptr<Key> Root(RegistryRoot root) const;
  std::shared_ptr<Key> Find(RegistryRoot root, const std::string& path) const;
  std::shared_ptr<Key> FindOrCreate(RegistryRoot root, const std::string& path);
  void SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                RegistryValue value);

  std::shared_ptr<Key> local_machine_;
  std::shared_ptr<Key> current_user_;
};

}  // namespace corvane
