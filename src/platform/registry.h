// The one way in which Corvane reaches the registry: an accessor made for one
// task, set to a root, opened on one key at a time, then released (destroyed).
// Names and data are UTF-8. A name is carried with its full length: one that
// holds a NUL character (which the native registry allows) is listed whole,
// and the calls that take a name act on exactly that name or on nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum class RegistryRoot { kLocalMachine, kCurrentUser };

// A value exactly as the registry holds it, so that it can be written back
// unchanged: its Windows type (REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3,
// REG_DWORD 4, REG_MULTI_SZ 7, REG_QWORD 11...) and its bytes; strings in
// UTF-16, little-endian, as Windows keeps them.
struct RawValue {
  std::uint32_t type = 0;
  std::string bytes;

  bool operator==(const RawValue& other) const {
    return type == other.type && bytes == other.bytes;
  }
  bool operator!=(const RawValue& other) const { return !(*this == other); }
};

// The text of a string or expandable-string value, up to its first NUL as
// Windows reads it; no value for any other type.
std::optional<std::string> TextOfRawValue(const RawValue& value);

// A string value of that type holding the text, ended by a NUL.
RawValue RawStringValue(std::uint32_t type, const std::string& text);

// Scanners only read; write access is asked for only where something is
// written, so a standard account can still watch the machine-wide keys.
enum class KeyAccess { kRead, kReadWrite };

class RegistryAccessor {
 public:
  virtual ~RegistryAccessor() = default;  // closes the open key, if any

  // Later paths start from this root. A new accessor starts at HKEY_CURRENT_USER.
  virtual void SetRoot(RegistryRoot root) = 0;

  // Opens the key at `path` (from the root; a leading and a trailing backslash
  // name the same key), closing any key opened before. With `create`, a missing
  // key is made. True when a key is open afterwards.
  virtual bool OpenKey(const std::string& path, bool create, KeyAccess access) = 0;

  // Fresh listings in the registry's index order; empty when no key is open.
  // A set default value is listed with an empty name.
  virtual std::vector<std::string> ValueNames() = 0;
  virtual std::vector<std::string> SubkeyNames() = 0;

  // String or expandable-string data, unexpanded. A missing value, or no open
  // key, gives "". A value of another type raises RegistryError.
  virtual std::string ReadString(const std::string& name) = 0;

  // Whether the open key holds a value of exactly that name (of any type).
  virtual bool ValueExists(const std::string& name) = 0;

  // 32-bit data; a missing value, another type or no open key raises RegistryError.
  virtual std::int32_t ReadInteger(const std::string& name) = 0;

  // Creates or replaces the value; any failure, no open key included, raises RegistryError.
  virtual void WriteString(const std::string& name, const std::string& data) = 0;
  virtual void WriteInteger(const std::string& name, std::int32_t data) = 0;

  // The value of exactly that name as stored; no value when it is missing,
  // cannot be read or no key is open. Never raises.
  virtual std::optional<RawValue> ReadRawValue(const std::string& name) = 0;

  // Creates or replaces the value with exactly that type and those bytes;
  // any failure, no open key included, raises RegistryError.
  virtual void WriteRawValue(const std::string& name, const RawValue& value) = 0;

  // True when this call deleted the value of exactly that name; never raises.
  virtual bool DeleteValue(const std::string& name) = 0;

  // Deletes the subkey of the open key with all its subkeys, deepest first.
  // True on success; with no key open nothing is deleted. Never raises.
  virtual bool DeleteKey(const std::string& name) = 0;

  virtual void CloseKey() = 0;

  // Names the open key such that two accessors get the same text exactly
  // when they have the same key open, also where Windows shares one key
  // between its two registry views; "" when no key is open.
  virtual std::string OpenKeyIdentity() = 0;
};

// Makes accessors; one per task.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::unique_ptr<RegistryAccessor> CreateAccessor() = 0;
};

}  // namespace corvane
