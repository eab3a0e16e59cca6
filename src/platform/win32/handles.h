// Owners for the Win32 handles Corvane opens: each closes its handle in its
// destructor and nowhere else, so no early return or exception can leak one.
#pragma once

#include <windows.h>

#include <utility>

namespace corvane::win32 {

// One move-only owner for every kind of handle. Traits::Invalid() is the
// value that means "none" for the kind, Traits::Free(handle) releases one.
template <typename Handle, typename Traits>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != Traits::Invalid()) Traits::Free(handle_);
  }
  OwnedHandle(OwnedHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  // The handle held before is released at once, by `taken` going out of scope.
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    OwnedHandle taken(std::move(other));
    std::swap(handle_, taken.handle_);
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  // Hands the handle to its new owner; this object then holds none.
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  // Releases the handle held, if any.
  void Reset() { *this = OwnedHandle(); }
  // The slot for a call that hands out a new handle; any held one is
  // released first.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// Kinds whose "none" is null.
struct NullIsNone {
  static std::nullptr_t Invalid() { return nullptr; }
};
// Kinds whose "none" is INVALID_HANDLE_VALUE.
struct InvalidValueIsNone {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};

struct RegistryKeyTraits : NullIsNone {
  static void Free(HKEY key) { RegCloseKey(key); }
};
struct FileTraits : InvalidValueIsNone {
  static void Free(HANDLE file) { CloseHandle(file); }
};
struct FindTraits : InvalidValueIsNone {
  static void Free(HANDLE search) { FindClose(search); }
};

struct EventTraits : NullIsNone {
  static void Free(HANDLE event) { CloseHandle(event); }
};
struct ChangeNotificationTraits : InvalidValueIsNone {
  static void Free(HANDLE notification) { FindCloseChangeNotification(notification); }
};

// Memory that a call handed out with LocalAlloc (CommandLineToArgvW's list).
struct LocalMemoryTraits : NullIsNone {
  template <typename Pointer>
  static void Free(Pointer memory) {
    LocalFree(memory);
  }
};

// An open registry key (never one of the predefined roots).
using RegistryKey = OwnedHandle<HKEY, RegistryKeyTraits>;
// A file opened with CreateFileW.
using FileHandle = OwnedHandle<HANDLE, FileTraits>;
// A directory search from FindFirstFileW.
using FindHandle = OwnedHandle<HANDLE, FindTraits>;
// An event from CreateEventW.
using EventHandle = OwnedHandle<HANDLE, EventTraits>;
template <typename Pointer>
using LocalMemory = OwnedHandle<Pointer, LocalMemoryTraits>;
// A folder watch from FindFirstChangeNotificationW.
using ChangeNotificationHandle = OwnedHandle<HANDLE, ChangeNotificationTraits>;

}  // namespace corvane::win32
