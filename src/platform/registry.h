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

// The non-empty items of a multi-string value (REG_MULTI_SZ 7), or the text
// of a string value as its one item; none for any other type.
std::vector<std::string> ItemsOfRawValue(const RawValue& value);

// A multi-string value holding these items.
RawValue RawMultiStringValue(const std::vector<std::string>& items);
inline constexpr std::uint32_t kMultiTextValueType = 7;  // REG_MULTI_SZ

// The number of a REG_DWORD value; no value for any other type or size.
std::optional<std::int32_t> NumberOfRawValue(const RawValue& value);

// A string value of that type holding the text, ended by a NUL.
RawValue RawStringValue(std::uint32_t type, const std::string& text);
RawValue RawNumberValue(std::int32_t number);

// The Windows value types Corvane reads by name.
inline constexpr std::uint32_t kTextValueType = 1;            // REG_SZ
inline constexpr std::uint32_t kExpandableTextValueType = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t kNumberValueType = 4;          // REG_DWORD

// Windows nests keys at most this deep; a deeper tree is no tree Windows
// made, and walking it would only exhaust the stack.
inline constexpr int kDeepestRegistryKey = 512;

// Scanners only read; write access is asked for only where something is
// written, so a standard account can still watch the machine-wide keys.
enum class KeyAccess { kRead, kReadWrite };

// A value with its name, as a listing of a key gives it.
struct NamedValue {
  std::string name;
  RawValue value;
};

// Every call reports its failure in its result, never by raising: a read
// gives no value (missing, unreadable, of another type, or no key open), a
// change gives false (refused, or no key open). What the caller cannot
// handle it raises itself.
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

  // Every value of the open key with its data, in index order, read in one
  // pass; a value that cannot be read is left out. Empty when no key is open.
  virtual std::vector<NamedValue> Values() = 0;

  // The value of exactly that name as stored.
  virtual std::optional<RawValue> ReadRawValue(const std::string& name) = 0;

  // Creates or replaces the value with exactly that type and those bytes.
  virtual bool WriteRawValue(const std::string& name, const RawValue& value) = 0;

  // True when this call deleted the value of exactly that name.
  virtual bool DeleteValue(const std::string& name) = 0;

  // Deletes the subkey of the open key with all its subkeys, deepest first.
  // A registry link below is deleted as a link: what it points to stays.
  // True on success; with no key open nothing is deleted.
  virtual bool DeleteKey(const std::string& name) = 0;

  virtual void CloseKey() = 0;

  // Names the open key such that two accessors get the same text exactly
  // when they have the same key open, also where Windows shares one key
  // between its two registry views; "" when no key is open.
  virtual std::string OpenKeyIdentity() = 0;
};

// The common reads and writes, on top of the raw ones and by the same rule.
// Text: a string or expandable string, unexpanded, up to its first NUL.
std::optional<std::string> ReadText(RegistryAccessor& key, const std::string& name);
// A 32-bit number (REG_DWORD).
std::optional<std::int32_t> ReadNumber(RegistryAccessor& key, const std::string& name);
bool ValueExists(RegistryAccessor& key, const std::string& name);
bool WriteText(RegistryAccessor& key, const std::string& name, const std::string& text);
bool WriteNumber(RegistryAccessor& key, const std::string& name, std::int32_t number);

// Makes accessors; one per task.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::unique_ptr<RegistryAccessor> CreateAccessor() = 0;
};

}  // namespace corvane
