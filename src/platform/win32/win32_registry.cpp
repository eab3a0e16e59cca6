#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::RegistryKey;

// The registry API takes key paths without a leading or trailing backslash.
std::string StripBackslashes(const std::string& path) {
  std::string::size_type first = 0;
  std::string::size_type end = path.size();
  if (end > first && path[first] == '\\') ++first;
  if (end > first && path[end - 1] == '\\') --end;
  return path.substr(first, end - first);
}

enum class Listing { kValues, kSubkeys };

// The longest name the key holds, in characters, terminator excluded.
DWORD LongestName(HKEY key, Listing listing) {
  DWORD longest_subkey = 0;
  DWORD longest_value = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longest_subkey, nullptr, nullptr,
                       &longest_value, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  return listing == Listing::kValues ? longest_value : longest_subkey;
}

LONG EnumerateName(HKEY key, Listing listing, DWORD index, std::string& buffer, DWORD& length) {
  length = static_cast<DWORD>(buffer.size());
  return listing == Listing::kValues
             ? RegEnumValueA(key, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr)
             : RegEnumKeyExA(key, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
}

// Names in index order. The sizes reported for an "A" listing can fall short
// (multibyte names, or a key that changed meanwhile): then ask again and grow.
std::vector<std::string> ListNames(HKEY key, Listing listing) {
  constexpr DWORD kLargestBuffer = 1u << 16;
  std::vector<std::string> names;
  if (key == nullptr) return names;
  std::string buffer(LongestName(key, listing) + 1, '\0');
  for (DWORD index = 0;;) {
    DWORD length = 0;
    const LONG result = EnumerateName(key, listing, index, buffer, length);
    if (result == ERROR_SUCCESS) {
      names.emplace_back(buffer.data(), length);
      ++index;
    } else if (result == ERROR_MORE_DATA && buffer.size() < kLargestBuffer) {
      const std::size_t doubled = 2 * buffer.size();
      buffer.assign(std::max<std::size_t>(LongestName(key, listing) + 1, doubled), '\0');
    } else {
      break;
    }
  }
  return names;
}

// Deletes `name` under `parent` with everything below it, deepest first. The
// children are listed before any is deleted, so no index moves under the listing.
bool DeleteTree(HKEY parent, const std::string& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | DELETE, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegistryKey key(opened);
  for (const auto& child : ListNames(key.get(), Listing::kSubkeys)) {
    if (!DeleteTree(key.get(), child)) return false;
  }
  key = RegistryKey();
  return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

class Win32RegistryAccessor : public RegistryAccessor {
 public:
  void SetRoot(RegistryRoot root) override {
    root_ = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  }

  bool OpenKey(const std::string& path, bool create, KeyAccess access) override {
    key_ = RegistryKey();
    const REGSAM rights = access == KeyAccess::kRead ? KEY_READ : KEY_READ | KEY_WRITE;
    const std::string sub_key = StripBackslashes(path);
    HKEY opened = nullptr;
    const LONG result =
        create ? RegCreateKeyExA(root_, sub_key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 rights, nullptr, &opened, nullptr)
               : RegOpenKeyExA(root_, sub_key.c_str(), 0, rights, &opened);
    if (result != ERROR_SUCCESS) return false;
    key_ = RegistryKey(opened);
    return true;
  }

  std::vector<std::string> ValueNames() override { return ListNames(key_.get(), Listing::kValues); }
  std::vector<std::string> SubkeyNames() override {
    return ListNames(key_.get(), Listing::kSubkeys);
  }

  std::string ReadString(const std::string& name) override {
    if (!key_) return "";
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size);
    std::string data;
    // The value may grow between asking for its size and reading it.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
      if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw RegistryError(FormatText(texts::kInvalidDataType, name));
      }
      data.assign(size + 1, '\0');  // room for a terminator the data may lack
      size = static_cast<DWORD>(data.size());
      result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(&data[0]), &size);
      if (result == ERROR_SUCCESS) {
        data.resize(size);
        // The string ends at its first NUL, as it does for Windows itself.
        return data.substr(0, data.find('\0'));
      }
    }
    return "";
  }

  bool ValueExists(const std::string& name) override {
    return key_ && RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS;
  }

  std::int32_t ReadInteger(const std::string& name) override {
    if (!key_) throw RegistryError(FormatText(texts::kFailedToGetData, name));
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      throw RegistryError(FormatText(texts::kFailedToGetData, name));
    }
    if (type != REG_DWORD) throw RegistryError(FormatText(texts::kInvalidDataType, name));
    DWORD data = 0;
    size = sizeof data;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data) {
      throw RegistryError(FormatText(texts::kFailedToGetData, name));
    }
    return static_cast<std::int32_t>(data);
  }

  void WriteString(const std::string& name, const std::string& data) override {
    // The stored size counts the terminating NUL.
    Write(name, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
          static_cast<DWORD>(data.size() + 1));
  }

  void WriteInteger(const std::string& name, std::int32_t data) override {
    const DWORD dword = static_cast<DWORD>(data);
    Write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
  }

  bool DeleteValue(const std::string& name) override {
    return key_ && RegDeleteValueA(key_.get(), name.c_str()) == ERROR_SUCCESS;
  }

  bool DeleteKey(const std::string& name) override {
    // An empty name would be the open key itself, which is not ours to delete.
    const std::string sub_key = StripBackslashes(name);
    if (!key_ || sub_key.empty()) return false;
    try {
      return DeleteTree(key_.get(), sub_key);
    } catch (...) {  // listing may run out of memory; this call must not throw
      return false;
    }
  }

  void CloseKey() override { key_ = RegistryKey(); }

 private:
  void Write(const std::string& name, DWORD type, const BYTE* data, DWORD size) {
    if (!key_ || RegSetValueExA(key_.get(), name.c_str(), 0, type, data, size) != ERROR_SUCCESS) {
      throw RegistryError(FormatText(texts::kFailedToSetData, name));
    }
  }

  HKEY root_ = HKEY_CURRENT_USER;
  RegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryAccessor> Win32Registry::CreateAccessor() {
  return std::make_unique<Win32RegistryAccessor>();
}

}  // namespace corvane
