// Owners for the Win32 handles Corvane opens: each closes its handle in its
// destructor and nowhere else, so no early return or exception can leak one.
#pragma once

#include <windows.h>

#include <utility>

namespace corvane::win32 {

// An open registry key (never one of the predefined roots).
class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  // The key held before is closed at once, by `taken` going out of scope.
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    RegistryKey taken(std::move(other));
    std::swap(key_, taken.key_);
    return *this;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

// A file opened with CreateFileA; INVALID_HANDLE_VALUE means none.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE file) : file_(file) {}
  ~FileHandle() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  FileHandle(FileHandle&& other) noexcept
      : file_(std::exchange(other.file_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    FileHandle taken(std::move(other));
    std::swap(file_, taken.file_);
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return file_; }
  explicit operator bool() const { return file_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

// A directory search from FindFirstFileA; INVALID_HANDLE_VALUE means none.
class FindHandle {
 public:
  FindHandle() = default;
  explicit FindHandle(HANDLE search) : search_(search) {}
  ~FindHandle() {
    if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
  }
  FindHandle(FindHandle&& other) noexcept
      : search_(std::exchange(other.search_, INVALID_HANDLE_VALUE)) {}
  FindHandle& operator=(FindHandle&& other) noexcept {
    FindHandle taken(std::move(other));
    std::swap(search_, taken.search_);
    return *this;
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  HANDLE get() const { return search_; }
  explicit operator bool() const { return search_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE search_ = INVALID_HANDLE_VALUE;
};

}  // namespace corvane::win32
