// What the program stories plant where Windows starts programs, and read
// back exactly as it lies: registry values with their type and bytes, whole
// key trees, files, and scheduled tasks made as a user makes them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::program_test {

// An environment variable of this process, as UTF-8.
std::string Variable(const wchar_t* name);
// A shell folder (CSIDL_...), made when missing.
std::string ShellFolder(int id);

// The file's bytes; none when it cannot be read.
std::optional<std::string> FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Writes the bytes, or deletes the file for none.
void PutFileBytes(const std::string& path, const std::optional<std::string>& bytes);
bool Exists(const std::string& path);

// A registry value as stored.
struct StoredValue {
  DWORD type = REG_NONE;
  std::string bytes;

  bool operator==(const StoredValue& other) const {
    return type == other.type && bytes == other.bytes;
  }
};
// A text as Windows stores it: UTF-16 with its terminating NUL.
StoredValue StoredText(const std::string& utf8, DWORD type = REG_SZ);
StoredValue StoredNumber(DWORD number);

// At literal paths in the 64-bit view, as the program reads them.
std::optional<StoredValue> ReadStored(HKEY root, const std::string& key, const std::string& name);
bool WriteStored(HKEY root, const std::string& key, const std::string& name,
                 const StoredValue& value);
// Writes the value, or deletes it for none.
void PutStored(HKEY root, const std::string& key, const std::string& name,
               const std::optional<StoredValue>& value);

// A key with everything below it: for each key, parents first, its path
// below the top ("" for the top) and its values in their stored order.
struct StoredKey {
  std::string path;
  std::vector<std::pair<std::string, StoredValue>> values;

  bool operator==(const StoredKey& other) const {
    return path == other.path && values == other.values;
  }
};
using StoredTree = std::vector<StoredKey>;

std::optional<StoredTree> ReadTree(HKEY root, const std::string& key);
bool WriteTree(HKEY root, const std::string& key, const StoredTree& tree);
void DeleteTree(HKEY root, const std::string& key);

// schtasks as a user would run it; true when it says it succeeded.
bool Schtasks(const std::vector<std::string>& arguments);
// Registers a hidden task that starts `command` at logon, as schtasks
// registers one from a task file.
bool CreateTask(const std::string& path, const std::string& command);
void DeleteTask(const std::string& path);

}  // namespace corvane::program_test
