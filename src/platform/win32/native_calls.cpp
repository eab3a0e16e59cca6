#include "platform/win32/native_calls.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace corvane::win32 {
namespace {

constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005u);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023u);
constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034u);

// Classes of the query and set calls (numbers fixed since Windows NT).
constexpr int kValuePartialInformation = 2;
constexpr int kFileNameInformation = 9;
constexpr int kKeyNameInformation = 3;
constexpr int kFileDispositionInformation = 13;

using QueryValueKey = NTSTATUS NTAPI(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
using SetValueKey = NTSTATUS NTAPI(HANDLE, UNICODE_STRING*, ULONG, ULONG, void*, ULONG);
using DeleteValueKey = NTSTATUS NTAPI(HANDLE, UNICODE_STRING*);
using OpenKey = NTSTATUS NTAPI(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*);
using DeleteKey = NTSTATUS NTAPI(HANDLE);
using QueryKey = NTSTATUS NTAPI(HANDLE, int, void*, ULONG, ULONG*);
using QueryInformationFile = NTSTATUS NTAPI(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
using SetInformationFile = NTSTATUS NTAPI(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);

template <typename Function>
Function* FromNtdll(const char* name) {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) return nullptr;
  // Through a generic function pointer, as the compiler wants for this cast.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, name)));
}

// False when the name is too long for a counted string (16-bit byte count).
bool Counted(const std::wstring& name, UNICODE_STRING& counted) {
  constexpr std::size_t kLongest = 0x7FFF;
  if (name.size() > kLongest) return false;
  counted.Length = counted.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  counted.Buffer = const_cast<wchar_t*>(name.data());
  return true;
}

// A buffer for a variable-length answer, aligned for its ULONG header.
class Answer {
 public:
  explicit Answer(ULONG bytes) { Grow(bytes); }
  void Grow(ULONG bytes) { words_.resize(bytes / sizeof(ULONG) + 1); }
  void* data() { return words_.data(); }
  const char* bytes() const { return reinterpret_cast<const char*>(words_.data()); }
  ULONG size() const { return static_cast<ULONG>(words_.size() * sizeof(ULONG)); }

 private:
  std::vector<ULONG> words_;
};

// A name that an information call answers as its length in bytes followed
// by the name (FILE_NAME_INFORMATION, KEY_NAME_INFORMATION); asked again
// with room enough when it did not fit. "" when the call fails.
template <typename Ask>
std::wstring AskForName(Ask ask) {
  constexpr ULONG kHeader = sizeof(ULONG);
  constexpr ULONG kLargest = 1u << 17;
  Answer answer(kHeader + 2 * MAX_PATH);
  for (;;) {
    const NTSTATUS status = ask(answer);
    ULONG length = 0;
    std::copy(answer.bytes(), answer.bytes() + kHeader, reinterpret_cast<char*>(&length));
    if ((status == kBufferOverflow || status == kBufferTooSmall) && answer.size() < kLargest) {
      answer.Grow(std::max(kHeader + length, 2 * answer.size()));
      continue;
    }
    if (!NT_SUCCESS(status)) return L"";
    std::wstring name(std::min(length, answer.size() - kHeader) / sizeof(wchar_t), L'\0');
    std::copy(answer.bytes() + kHeader, answer.bytes() + kHeader + name.size() * sizeof(wchar_t),
              reinterpret_cast<char*>(&name[0]));
    return name;
  }
}

}  // namespace

Lookup QueryValueCounted(HKEY key, const std::wstring& name, DWORD& type, std::string& data) {
  static const auto query = FromNtdll<QueryValueKey>("NtQueryValueKey");
  UNICODE_STRING counted{};
  if (query == nullptr || !Counted(name, counted)) return Lookup::kFailed;
  // KEY_VALUE_PARTIAL_INFORMATION: title index, type, data length, data.
  constexpr ULONG kHeader = 3 * sizeof(ULONG);
  Answer answer(kHeader + 256);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status =
        query(key, &counted, kValuePartialInformation, answer.data(), answer.size(), &needed);
    if (status == kBufferOverflow || status == kBufferTooSmall) {
      // The value may grow between two calls: ask again with what it needs now.
      answer.Grow(std::max(needed, 2 * answer.size()));
      continue;
    }
    if (status == kNameNotFound) return Lookup::kMissing;
    if (!NT_SUCCESS(status)) return Lookup::kFailed;
    ULONG header[3];
    std::copy(answer.bytes(), answer.bytes() + kHeader, reinterpret_cast<char*>(header));
    type = header[1];
    data.assign(answer.bytes() + kHeader, std::min(header[2], answer.size() - kHeader));
    return Lookup::kFound;
  }
}

bool SetValueCounted(HKEY key, const std::wstring& name, DWORD type, const std::string& data) {
  static const auto set = FromNtdll<SetValueKey>("NtSetValueKey");
  UNICODE_STRING counted{};
  if (set == nullptr || !Counted(name, counted) || data.size() > MAXDWORD) return false;
  return NT_SUCCESS(set(key, &counted, 0, type, const_cast<char*>(data.data()),
                        static_cast<ULONG>(data.size())));
}

bool DeleteValueCounted(HKEY key, const std::wstring& name) {
  static const auto remove = FromNtdll<DeleteValueKey>("NtDeleteValueKey");
  UNICODE_STRING counted{};
  return remove != nullptr && Counted(name, counted) && NT_SUCCESS(remove(key, &counted));
}

HKEY OpenKeyCounted(HKEY parent, const std::wstring& name, REGSAM access, DWORD options) {
  static const auto open = FromNtdll<OpenKey>("NtOpenKey");
  UNICODE_STRING counted{};
  if (open == nullptr || !Counted(name, counted)) return nullptr;
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.RootDirectory = parent;
  attributes.ObjectName = &counted;
  attributes.Attributes = OBJ_CASE_INSENSITIVE;
  if (options & REG_OPTION_OPEN_LINK) attributes.Attributes |= OBJ_OPENLINK;
  HANDLE opened = nullptr;
  return NT_SUCCESS(open(&opened, access, &attributes)) ? static_cast<HKEY>(opened) : nullptr;
}

bool DeleteOpenKey(HKEY key) {
  static const auto remove = FromNtdll<DeleteKey>("NtDeleteKey");
  return remove != nullptr && NT_SUCCESS(remove(key));
}

bool DeleteOnClose(HANDLE file) {
  // What SetFileInformationByHandle(FileDispositionInfo) does, present since
  // Windows NT rather than Vista.
  static const auto set = FromNtdll<SetInformationFile>("NtSetInformationFile");
  if (set == nullptr) return false;
  IO_STATUS_BLOCK status{};
  BOOLEAN delete_file = TRUE;  // FILE_DISPOSITION_INFORMATION
  return NT_SUCCESS(set(file, &status, &delete_file, sizeof delete_file,
                        kFileDispositionInformation));
}

std::wstring NameOfOpenFile(HANDLE file) {
  static const auto query = FromNtdll<QueryInformationFile>("NtQueryInformationFile");
  if (query == nullptr) return L"";
  return AskForName([&](Answer& answer) {
    IO_STATUS_BLOCK status_block{};
    return query(file, &status_block, answer.data(), answer.size(), kFileNameInformation);
  });
}

std::wstring NameOfOpenKey(HKEY key) {
  static const auto query = FromNtdll<QueryKey>("NtQueryKey");
  if (query == nullptr) return L"";
  return AskForName([&](Answer& answer) {
    ULONG needed = 0;
    return query(key, kKeyNameInformation, answer.data(), answer.size(), &needed);
  });
}

bool RunningOnWine() {
  static const bool wine = FromNtdll<const char*()>("wine_get_version") != nullptr;
  return wine;
}

}  // namespace corvane::win32
