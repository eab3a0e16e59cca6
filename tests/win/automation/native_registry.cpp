#include "automation/native_registry.h"

#include <winternl.h>

#include "platform/win32/wide.h"

namespace corvane::automation {
namespace {

template <typename Function>
Function* FromNtdll(const char* name) {
  const auto found = GetProcAddress(GetModuleHandleW(L"ntdll"), name);
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

UNICODE_STRING Counted(std::wstring& name) {
  const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  return UNICODE_STRING{bytes, bytes, &name[0]};
}

}  // namespace

bool SetNativeValue(HKEY key, const std::string& name, const std::string& text) {
  const auto set =
      FromNtdll<NTSTATUS NTAPI(HANDLE, UNICODE_STRING*, ULONG, ULONG, void*, ULONG)>("NtSetValueKey");
  std::wstring wide = win32::Wide(name);
  UNICODE_STRING counted = Counted(wide);
  std::wstring data = win32::Wide(text);
  data.push_back(L'\0');
  return set != nullptr && set(key, &counted, 0, REG_SZ, &data[0],
                               ULONG(data.size() * sizeof(wchar_t))) == 0;
}

bool DeleteNativeValue(HKEY key, const std::string& name) {
  const auto remove = FromNtdll<NTSTATUS NTAPI(HANDLE, UNICODE_STRING*)>("NtDeleteValueKey");
  std::wstring wide = win32::Wide(name);
  UNICODE_STRING counted = Counted(wide);
  return remove != nullptr && remove(key, &counted) == 0;
}

}  // namespace corvane::automation
