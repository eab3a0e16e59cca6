// A program that a test starts and watches from outside: its id for finding
// its windows, its exit, and what it wrote to its standard output.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvane::automation {

// A kernel handle that null means none of (process, thread, pipe).
class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE handle) : handle_(handle) {}
  ~KernelHandle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    KernelHandle taken(std::move(other));
    std::swap(handle_, taken.handle_);
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  HANDLE get() const { return handle_; }
  HANDLE* out() { return &handle_; }

 private:
  HANDLE handle_ = nullptr;
};

class Process {
 public:
  // Starts the program in its own directory with the arguments (UTF-8), each
  // quoted as the C runtime splits them. started() tells whether it could.
  Process(const std::string& program, const std::vector<std::string>& arguments);
  // A process still running then is ended, so no test leaves one behind.
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return process_.get() != nullptr; }
  DWORD id() const { return id_; }
  // True when the process ended within the time.
  bool WaitForExit(DWORD timeout_ms);
  DWORD ExitCode() const;
  // Everything it wrote to its standard output; waits for it to end, and
  // ends it after ten seconds.
  std::string Output();

 private:
  KernelHandle process_;
  DWORD id_ = 0;
  KernelHandle output_;  // our end of the pipe
  std::string written_;
  std::thread reader_;  // drains the pipe, so the program never blocks on a full one
};

// The argument quoted so that the C runtime hands it over unchanged.
std::string QuoteArgument(const std::string& argument);

}  // namespace corvane::automation
