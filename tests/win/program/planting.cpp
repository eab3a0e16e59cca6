#include "program/planting.h"

#include <shlobj.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "automation/process.h"
#include "automation/windows.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace corvane::program_test {
namespace {

using win32::Utf8;
using win32::Wide;

// The longest value name the registry allows, with its NUL.
constexpr DWORD kLongestValueName = 16384;

win32::RegistryKey OpenKey(HKEY root, const std::string& key, REGSAM access) {
  win32::RegistryKey opened;
  if (RegOpenKeyExW(root, Wide(key).c_str(), 0, access | KEY_WOW64_64KEY, opened.Receive()) !=
      ERROR_SUCCESS) {
    return win32::RegistryKey();
  }
  return opened;
}

std::optional<StoredValue> QueryStored(HKEY key, const std::wstring& name) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  StoredValue value{type, std::string(size, '\0')};
  if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                       reinterpret_cast<BYTE*>(&value.bytes[0]), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  return value;
}

bool SetStored(HKEY key, const std::string& name, const StoredValue& value) {
  // RegSetValueExW stores one more character of a text that lacks its final
  // NUL when a NUL follows in memory; a guard that is no NUL keeps the bytes.
  std::string guarded = value.bytes;
  guarded.append(2 * sizeof(wchar_t), '\xFF');
  return RegSetValueExW(key, Wide(name).c_str(), 0, value.type,
                        reinterpret_cast<const BYTE*>(guarded.data()),
                        DWORD(value.bytes.size())) == ERROR_SUCCESS;
}

bool ReadBelow(HKEY root, const std::string& top, const std::string& below, StoredTree& tree) {
  const auto key = OpenKey(root, below.empty() ? top : top + "\\" + below, KEY_READ);
  if (!key) return false;
  StoredKey kept{below, {}};
  std::vector<std::string> subkeys;
  std::wstring name(kLongestValueName, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = kLongestValueName;
    if (RegEnumValueW(key.get(), index, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    const std::wstring found = name.substr(0, length);
    auto value = QueryStored(key.get(), found);
    if (!value) return false;
    kept.values.emplace_back(Utf8(found), std::move(*value));
  }
  for (DWORD index = 0;; ++index) {
    DWORD length = kLongestValueName;
    if (RegEnumKeyExW(key.get(), index, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    subkeys.push_back(Utf8(name.substr(0, length)));
  }
  tree.push_back(std::move(kept));
  for (const std::string& subkey : subkeys) {
    if (!ReadBelow(root, top, below.empty() ? subkey : below + "\\" + subkey, tree)) return false;
  }
  return true;
}

}  // namespace

std::string Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  return Utf8(value, GetEnvironmentVariableW(name, value, MAX_PATH));
}

std::string ShellFolder(int id) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, id | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
  return Utf8(path, std::wcslen(path));
}

std::optional<std::string> FileBytes(const std::string& path) {
  std::ifstream file(std::filesystem::path(Wide(path)), std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary) << bytes;
}

void PutFileBytes(const std::string& path, const std::optional<std::string>& bytes) {
  if (bytes) {
    WriteFileBytes(path, *bytes);
  } else {
    DeleteFileW(Wide(path).c_str());
  }
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

StoredValue StoredText(const std::string& utf8, DWORD type) {
  const std::wstring wide = Wide(utf8);
  return {type, std::string(reinterpret_cast<const char*>(wide.c_str()),
                            (wide.size() + 1) * sizeof(wchar_t))};
}

StoredValue StoredNumber(DWORD number) {
  return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

std::optional<StoredValue> ReadStored(HKEY root, const std::string& key, const std::string& name) {
  const auto opened = OpenKey(root, key, KEY_READ);
  if (!opened) return std::nullopt;
  return QueryStored(opened.get(), Wide(name));
}

bool WriteStored(HKEY root, const std::string& key, const std::string& name,
                 const StoredValue& value) {
  win32::RegistryKey opened;
  return RegCreateKeyExW(root, Wide(key).c_str(), 0, nullptr, 0,
                         KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, opened.Receive(),
                         nullptr) == ERROR_SUCCESS &&
         SetStored(opened.get(), name, value);
}

void PutStored(HKEY root, const std::string& key, const std::string& name,
               const std::optional<StoredValue>& value) {
  if (value) {
    WriteStored(root, key, name, *value);
    return;
  }
  const auto opened = OpenKey(root, key, KEY_ALL_ACCESS);
  if (opened) RegDeleteValueW(opened.get(), Wide(name).c_str());
}

std::optional<StoredTree> ReadTree(HKEY root, const std::string& key) {
  StoredTree tree;
  if (!ReadBelow(root, key, "", tree)) return std::nullopt;
  return tree;
}

bool WriteTree(HKEY root, const std::string& key, const StoredTree& tree) {
  for (const StoredKey& kept : tree) {
    const std::string path = kept.path.empty() ? key : key + "\\" + kept.path;
    win32::RegistryKey opened;
    if (RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, opened.Receive(),
                        nullptr) != ERROR_SUCCESS) {
      return false;
    }
    for (const auto& [name, value] : kept.values) {
      if (!SetStored(opened.get(), name, value)) return false;
    }
  }
  return true;
}

void DeleteTree(HKEY root, const std::string& key) {
  std::vector<std::wstring> subkeys;
  {
    const auto opened = OpenKey(root, key, KEY_READ);
    if (!opened) return;
    std::wstring name(kLongestValueName, L'\0');
    for (DWORD index = 0;; ++index) {
      DWORD length = kLongestValueName;
      if (RegEnumKeyExW(opened.get(), index, &name[0], &length, nullptr, nullptr, nullptr,
                        nullptr) != ERROR_SUCCESS) {
        break;
      }
      subkeys.push_back(name.substr(0, length));
    }
  }
  for (const std::wstring& subkey : subkeys) DeleteTree(root, key + "\\" + Utf8(subkey));
  RegDeleteKeyExW(root, Wide(key).c_str(), KEY_WOW64_64KEY, 0);
}

bool Schtasks(const std::vector<std::string>& arguments) {
  automation::Process schtasks(Variable(L"windir") + "\\system32\\schtasks.exe", arguments);
  return schtasks.started() && schtasks.WaitForExit(automation::kPatience) &&
         schtasks.ExitCode() == 0;
}

bool CreateTask(const std::string& path, const std::string& command) {
  const std::string file = Variable(L"TEMP") + "\\corvane-test-task.xml";
  WriteFileBytes(file,
                 "<?xml version=\"1.0\"?>\r\n"
                 "<Task version=\"1.2\" "
                 "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
                 "<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>"
                 "<Settings><Hidden>true</Hidden></Settings>"
                 "<Actions><Exec><Command>" +
                     command + "</Command></Exec></Actions></Task>\r\n");
  const bool created = Schtasks({"/create", "/xml", file, "/tn", path, "/f"});
  DeleteFileW(Wide(file).c_str());
  return created;
}

void DeleteTask(const std::string& path) { Schtasks({"/delete", "/tn", path, "/f"}); }

}  // namespace corvane::program_test
