#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_calls.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::HoldsNul;
using win32::Lookup;
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

// The subkey path `name` of `parent`; a name holding a NUL (only a listing
// gives one) is opened by its full length.
HKEY OpenSubkey(HKEY parent, const std::wstring& name, REGSAM access) {
  if (HoldsNul(name)) return win32::OpenKeyCounted(parent, name, access | kLiteralView);
  HKEY opened = nullptr;
  return RegOpenKeyExW(parent, name.c_str(), 0, access | kLiteralView, &opened) == ERROR_SUCCESS
             ? opened
             : nullptr;
}

// Deletes the subkey `name` of `parent`, which has no subkeys left, in the
// literal view. RegDeleteKeyExW, which takes the view, came with Windows XP
// x64 and Vista; where advapi32 lacks it, Windows has a single view, which
// RegDeleteKeyW reaches.
bool DeleteEmptySubkey(HKEY parent, const std::wstring& name) {
  using DeleteKeyEx = LONG WINAPI(HKEY, LPCWSTR, REGSAM, DWORD);
  static const auto delete_in_view = [] {
    const HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    // Through a generic function pointer, as the compiler wants for this cast.
    return advapi == nullptr ? nullptr
                             : reinterpret_cast<DeleteKeyEx*>(reinterpret_cast<void (*)()>(
                                   GetProcAddress(advapi, "RegDeleteKeyExW")));
  }();
  const LONG result = delete_in_view != nullptr
                          ? delete_in_view(parent, name.c_str(), kLiteralView, 0)
                          : RegDeleteKeyW(parent, name.c_str());
  return result == ERROR_SUCCESS;
}

// Deletes `name` under `parent` with everything below it, deepest first. The
// children are listed before any is deleted, so no index moves under the
// listing. A key whose name holds a NUL is deleted through its own handle,
// as no NUL-ended name reaches it.
bool DeleteTree(HKEY parent, const std::wstring& name) {
  RegistryKey key(OpenSubkey(parent, name, KEY_READ | DELETE));
  if (!key) return false;
  for (const auto& child : ListNames(key.get(), Listing::kSubkeys)) {
    if (!DeleteTree(key.get(), child)) return false;
  }
  if (HoldsNul(name)) return win32::DeleteOpenKey(key.get());
  key = RegistryKey();
  return DeleteEmptySubkey(parent, name);
}

class Win32RegistryAccessor : public RegistryAccessor {
 public:
  void SetRoot(RegistryRoot root) override {
    root_ = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  }

  bool OpenKey(const std::string& path, bool create, KeyAccess access) override {
    key_ = RegistryKey();
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
  }

  std::vector<std::string> ValueNames() override {
    return ListUtf8Names(key_.get(), Listing::kValues);
  }
  std::vector<std::string> SubkeyNames() override {
    return ListUtf8Names(key_.get(), Listing::kSubkeys);
  }

  std::string ReadString(const std::string& name) override {
    DWORD type = REG_NONE;
    std::string data;
    if (!key_ || QueryValue(key_.get(), win32::Wide(name), type, data) != Lookup::kFound) {
      return "";
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      throw RegistryError(FormatText(texts::kInvalidDataType, name));
    }
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::copy(data.begin(), data.begin() + text.size() * sizeof(wchar_t),
              reinterpret_cast<char*>(&text[0]));
    // The string ends at its first NUL, as it does for Windows itself.
    return win32::Utf8(text.substr(0, text.find(L'\0')));
  }

  bool ValueExists(const std::string& name) override {
    DWORD type = REG_NONE;
    std::string data;
    return key_ && QueryValue(key_.get(), win32::Wide(name), type, data) == Lookup::kFound;
  }

  std::int32_t ReadInteger(const std::string& name) override {
    DWORD type = REG_NONE;
    std::string data;
    if (!key_ || QueryValue(key_.get(), win32::Wide(name), type, data) != Lookup::kFound) {
      throw RegistryError(FormatText(texts::kFailedToGetData, name));
    }
    if (type != REG_DWORD) throw RegistryError(FormatText(texts::kInvalidDataType, name));
    DWORD dword = 0;
    if (data.size() != sizeof dword) throw RegistryError(FormatText(texts::kFailedToGetData, name));
    std::copy(data.begin(), data.end(), reinterpret_cast<char*>(&dword));
    return static_cast<std::int32_t>(dword);
  }

  void WriteString(const std::string& name, const std::string& data) override {
    const std::wstring text = win32::Wide(data);
    // The stored size counts the terminating NUL.
    Write(name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

  void WriteInteger(const std::string& name, std::int32_t data) override {
    const DWORD dword = static_cast<DWORD>(data);
    Write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
  }

  std::optional<RawValue> ReadRawValue(const std::string& name) override {
    try {
      RawValue value;
      DWORD type = REG_NONE;
      if (!key_ || QueryValue(key_.get(), win32::Wide(name), type, value.bytes) != Lookup::kFound) {
        return std::nullopt;
      }
      value.type = type;
      return value;
    } catch (const std::exception&) {  // out of memory for a huge value
      return std::nullopt;
    }
  }

  void WriteRawValue(const std::string& name, const RawValue& value) override {
    const std::wstring wide = win32::Wide(name);
    const bool written =
        key_ && value.bytes.size() <= MAXDWORD &&
        (HoldsNul(wide) ? win32::SetValueCounted(key_.get(), wide, value.type, value.bytes)
                        : SetExactly(wide, value));
    if (!written) throw RegistryError(FormatText(texts::kFailedToSetData, name));
  }

  bool DeleteValue(const std::string& name) override {
    const std::wstring wide = win32::Wide(name);
    if (!key_) return false;
    if (HoldsNul(wide)) return win32::DeleteValueCounted(key_.get(), wide);
    return RegDeleteValueW(key_.get(), wide.c_str()) == ERROR_SUCCESS;
  }

  bool DeleteKey(const std::string& name) override {
    // An empty name would be the open key itself, which is not ours to delete.
    const std::wstring sub_key = win32::Wide(StripBackslashes(name));
    if (!key_ || sub_key.empty() || HoldsNul(sub_key)) return false;
    try {
      return DeleteTree(key_.get(), sub_key);
    } catch (...) {  // listing may run out of memory; this call must not throw
      return false;
    }
  }

  void CloseKey() override { key_ = RegistryKey(); }

  std::string OpenKeyIdentity() override {
    if (!key_) return "";
    const auto name = win32::NameOfOpenKey(key_.get());
    // Without a name the handle's key cannot be told from others: it is its own.
    return name.empty() ? "handle " + std::to_string(reinterpret_cast<std::uintptr_t>(key_.get()))
                        : win32::Utf8(name);
  }

 private:
  // Our own values have plain names; one with a NUL is never written, as the
  // W call would write the name cut at the NUL.
  void Write(const std::string& name, DWORD type, const BYTE* data, DWORD size) {
    const std::wstring wide = win32::Wide(name);
    if (!key_ || HoldsNul(wide) ||
        RegSetValueExW(key_.get(), wide.c_str(), 0, type, data, size) != ERROR_SUCCESS) {
      throw RegistryError(FormatText(texts::kFailedToSetData, name));
    }
  }

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
