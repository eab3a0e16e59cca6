// Checks program files' signatures on a thread of its own and keeps the
// results, by path, for as long as the file keeps its size and time, so
// that no window waits for a check and a second look costs nothing.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/signatures.h"

namespace corvane::win32 {

class SignatureWorker {
 public:
  explicit SignatureWorker(const SignatureChecks& checks);
  ~SignatureWorker();  // stops the thread; a check under way is waited for
  SignatureWorker(const SignatureWorker&) = delete;
  SignatureWorker& operator=(const SignatureWorker&) = delete;

  // The last result for the path (kUnknown when none yet). A plain lookup,
  // cheap enough for every row a list view draws.
  Signature Known(const std::string& path) const;

  // Queues the paths (those known are looked at again, cheaply, in case the
  // file changed); after results come in, posts `message` to `window`, at
  // most a few times a second and once after the last one.
  void Request(const std::vector<std::string>& paths, HWND window, UINT message);

  // The window goes away: nothing more is posted to it.
  void Forget(HWND window);

 private:
  using Clock = std::chrono::steady_clock;
  // What tells that a file is still the one checked; exists false for no file.
  struct Stamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    bool operator==(const Stamp& other) const {
      return exists == other.exists && size == other.size && written == other.written;
    }
  };
  struct Result {
    Signature signature;
    Stamp stamp;
  };
  struct Job {
    std::string path;
    HWND window;  // told when it is done; may be null
  };
  // A window that asked: when it was last told, and whether results wait.
  struct Listener {
    UINT message = 0;
    Clock::time_point told = {};
    bool waiting = false;
  };

  void Run();
  // Posts to the windows whose results have waited long enough (all of
  // them when `all`). Called with the lock held.
  void Tell(bool all);
  static Stamp StampOf(const std::string& path);

  const SignatureChecks& checks_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::map<std::string, Result> known_;  // by path as Windows compares it
  std::deque<Job> queue_;
  std::map<HWND, Listener> listeners_;
  bool stopping_ = false;
  std::thread thread_;  // last: it starts when everything above is there
};

}  // namespace corvane::win32
