#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/native_calls.h"
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using win32::HoldsNul;
using win32::Lookup;
using win32::RegistryKey;

// No accessor call raises: one that runs out of memory (a huge listing or
// value) fails like any other, with the empty result of its kind.
template <typename Action>
auto Guarded(Action action) noexcept -> decltype(action()) {
  try {
    return action();
  } catch (const std::exception&) {
    return {};
  }
}

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
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest_subkey, nullptr, nullptr,
                       &longest_value, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  return listing == Listing::kValues ? longest_value : longest_subkey;
}

LONG EnumerateName(HKEY key, Listing listing, DWORD index, std::wstring& buffer, DWORD& length) {
  length = static_cast<DWORD>(buffer.size());
  return listing == Listing::kValues
             ? RegEnumValueW(key, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr)
             : RegEnumKeyExW(key, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
}

// Names in index order, each with the length the listing reports, so that
// one holding a NUL comes whole. The buffer starts at the longest key name
// Windows allows; a longer value name answers ERROR_MORE_DATA, and then the
// key's longest name is asked for and the buffer grows. No size is asked
// before a listing: most keys never need it.
std::vector<std::wstring> ListNames(HKEY key, Listing listing) {
  constexpr DWORD kLargestBuffer = 1u << 16;
  constexpr DWORD kLongestKeyName = 255;
  std::vector<std::wstring> names;
  if (key == nullptr) return names;
  std::wstring buffer(kLongestKeyName + 1, L'\0');
  for (DWORD index = 0;;) {
    DWORD length = 0;
    const LONG result = EnumerateName(key, listing, index, buffer, length);
    if (result == ERROR_SUCCESS) {
      names.emplace_back(buffer.data(), length);
      ++index;
    } else if (result == ERROR_MORE_DATA && buffer.size() < kLargestBuffer) {
      const std::size_t doubled = 2 * buffer.size();
      buffer.assign(std::max<std::size_t>(LongestName(key, listing) + 1, doubled), L'\0');
    } else {
      break;
    }
  }
  return names;
}

std::vector<std::string> ListUtf8Names(HKEY key, Listing listing) {
  std::vector<std::string> names;
  for (const auto& name : ListNames(key, listing)) names.push_back(win32::Utf8(name));
  return names;
}

// Every value with its data, by index: one call each for nearly all, as the
// buffers start large enough for common names and data. A value that does
// not fit is asked for again: its data size is what the call reports; a
// name that did not fit grows the name buffer to the key's longest name.
// A value too large to read is left out.
std::vector<NamedValue> ListValues(HKEY key) {
  constexpr std::size_t kLargestName = 1u << 16;
  constexpr std::size_t kLargestData = 1u << 26;
  std::vector<NamedValue> values;
  if (key == nullptr) return values;
  std::wstring name(256 + 1, L'\0');
  std::string data(512, '\0');
  for (DWORD index = 0;;) {
    DWORD name_length = static_cast<DWORD>(name.size());
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    const LONG result = RegEnumValueW(key, index, &name[0], &name_length, nullptr, &type,
                                      reinterpret_cast<BYTE*>(&data[0]), &size);
    if (result == ERROR_SUCCESS) {
      values.push_back({win32::Utf8(name.data(), name_length),
                        RawValue{type, data.substr(0, std::min<std::size_t>(size, data.size()))}});
      ++index;
    } else if (result == ERROR_MORE_DATA) {
      // Each retry makes one buffer strictly larger, so the caps end it.
      if (size > data.size()) {
        if (size > kLargestData) {
          ++index;
        } else {
          data.assign(size, '\0');
        }
      } else if (name.size() < kLargestName) {
        name.assign(std::max<std::size_t>(LongestName(key, Listing::kValues) + 1, 2 * name.size()),
                    L'\0');
      } else {
        ++index;
      }
    } else {
      break;
    }
  }
  return values;
}

// The type and data of the value named exactly `name`. A name holding a NUL
// goes through the native call, which takes its length; the W call would
// stop at the NUL and find another value.
Lookup QueryValue(HKEY key, const std::wstring& name, DWORD& type, std::string& data) {
  if (HoldsNul(name)) return win32::QueryValueCounted(key, name, type, data);
  // One call reads a value that fits the first buffer, as nearly all do; a
  // larger one answers with its size and is read again, with room to spare
  // in case it grew in between.
  constexpr DWORD kFirstSize = 512;
  constexpr DWORD kLargest = 1u << 26;
  for (DWORD size = kFirstSize; size <= kLargest;) {
    data.assign(size, '\0');
    DWORD got = size;
    const LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&data[0]), &got);
    if (result == ERROR_SUCCESS) {
      data.resize(std::min(got, size));
      return Lookup::kFound;
    }
    if (result != ERROR_MORE_DATA) {
      return result == ERROR_FILE_NOT_FOUND ? Lookup::kMissing : Lookup::kFailed;
    }
    size = std::max(got, 2 * size);
  }
  return Lookup::kFailed;
}

// Every path is meant literally in the 64-bit view of the registry, also in
// the 32-bit program: "\Software\..." is the 64-bit key and
// "\Software\WOW6432Node\..." the 32-bit one, as for the 64-bit program. On
// 32-bit Windows the flag is ignored.
constexpr REGSAM kLiteralView = KEY_WOW64_64KEY;

// The subkey path `name` of `parent` itself, also where it is a registry
// link: a link is opened as the link, never as the key it points to. A name
// holding a NUL (only a listing gives one) is opened by its full length.
HKEY OpenSubkeyNotFollowingLink(HKEY parent, const std::wstring& name, REGSAM access) {
  if (HoldsNul(name)) {
    return win32::OpenKeyCounted(parent, name, access | kLiteralView, REG_OPTION_OPEN_LINK);
  }
  HKEY opened = nullptr;
  return RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK, access | kLiteralView,
                       &opened) == ERROR_SUCCESS
             ? opened
             : nullptr;
}

// Deletes the open key with everything below it, deepest first, each key
// through its own handle: a name reaches another key once the first is
// gone, and a handle to a link deletes the link, not what it points to. The
// children are listed before any is deleted, so no index moves under the
// listing.
// A tree nested deeper than Windows nests keys is left whole rather than
// walked until the stack runs out.
bool DeleteTree(HKEY key, int depth = 0) {
  if (depth > kDeepestRegistryKey) return false;
  for (const auto& child : ListNames(key, Listing::kSubkeys)) {
    const RegistryKey opened(OpenSubkeyNotFollowingLink(key, child, KEY_READ | DELETE));
    if (!opened || !DeleteTree(opened.get(), depth + 1)) return false;
  }
  return win32::DeleteOpenKey(key);
}

class Win32RegistryAccessor : public RegistryAccessor {
 public:
  void SetRoot(RegistryRoot root) override {
    root_ = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  }

  bool OpenKey(const std::string& path, bool create, KeyAccess access) override {
    key_ = RegistryKey();
    return Guarded([&] {
      const REGSAM rights =
          (access == KeyAccess::kRead ? KEY_READ : KEY_READ | KEY_WRITE) | kLiteralView;
      const std::wstring sub_key = win32::Wide(StripBackslashes(path));
      // No NUL-ended path names a key with a NUL in its path.
      if (HoldsNul(sub_key)) return false;
      HKEY opened = nullptr;
      const LONG result =
          create ? RegCreateKeyExW(root_, sub_key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   rights, nullptr, &opened, nullptr)
                 : RegOpenKeyExW(root_, sub_key.c_str(), 0, rights, &opened);
      if (result != ERROR_SUCCESS) return false;
      key_ = RegistryKey(opened);
      return true;
    });
  }

  std::vector<std::string> ValueNames() override {
    return Guarded([&] { return ListUtf8Names(key_.get(), Listing::kValues); });
  }
  std::vector<std::string> SubkeyNames() override {
    return Guarded([&] { return ListUtf8Names(key_.get(), Listing::kSubkeys); });
  }
  std::vector<NamedValue> Values() override {
    return Guarded([&] { return ListValues(key_.get()); });
  }

  std::optional<RawValue> ReadRawValue(const std::string& name) override {
    return Guarded([&]() -> std::optional<RawValue> {
      RawValue value;
      DWORD type = REG_NONE;
      if (!key_ || QueryValue(key_.get(), win32::Wide(name), type, value.bytes) != Lookup::kFound) {
        return std::nullopt;
      }
      value.type = type;
      return value;
    });
  }

  bool WriteRawValue(const std::string& name, const RawValue& value) override {
    return Guarded([&] {
      const std::wstring wide = win32::Wide(name);
      return key_ && value.bytes.size() <= MAXDWORD &&
             (HoldsNul(wide) ? win32::SetValueCounted(key_.get(), wide, value.type, value.bytes)
                             : SetExactly(wide, value));
    });
  }

  bool DeleteValue(const std::string& name) override {
    return Guarded([&] {
      const std::wstring wide = win32::Wide(name);
      if (!key_) return false;
      if (HoldsNul(wide)) return win32::DeleteValueCounted(key_.get(), wide);
      return RegDeleteValueW(key_.get(), wide.c_str()) == ERROR_SUCCESS;
    });
  }

  bool DeleteKey(const std::string& name) override {
    return Guarded([&] {
      // An empty name would be the open key itself, which is not ours to delete.
      const std::wstring sub_key = win32::Wide(StripBackslashes(name));
      if (!key_ || sub_key.empty() || HoldsNul(sub_key)) return false;
      const RegistryKey target(OpenSubkeyNotFollowingLink(key_.get(), sub_key, KEY_READ | DELETE));
      return target && DeleteTree(target.get());
    });
  }

  void CloseKey() override { key_ = RegistryKey(); }

  std::string OpenKeyIdentity() override {
    return Guarded([&]() -> std::string {
      if (!key_) return "";
      const auto name = win32::NameOfOpenKey(key_.get());
      // Without a name the handle's key cannot be told from others: it is its own.
      return name.empty()
                 ? "handle " + std::to_string(reinterpret_cast<std::uintptr_t>(key_.get()))
                 : win32::Utf8(name);
    });
  }

 private:
  // RegSetValueExW (on Windows as on Wine) counts one more character for a
  // string type whose data lacks its final NUL when a NUL follows in memory;
  // a non-NUL guard after the bytes keeps the stored data exactly as given.
  bool SetExactly(const std::wstring& name, const RawValue& value) {
    std::string guarded = value.bytes;
    guarded.append(2 * sizeof(wchar_t), '\xFF');
    return RegSetValueExW(key_.get(), name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(guarded.data()),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
  }

  HKEY root_ = HKEY_CURRENT_USER;
  RegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryAccessor> Win32Registry::CreateAccessor() {
  return std::make_unique<Win32RegistryAccessor>();
}

}  // namespace corvane
