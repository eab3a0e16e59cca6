// Checks program files' signatures on a thread of its own and keeps the
// results, by path, for as long as the file keeps its size and time, so
// that no window waits for a check and a second look costs nothing.
#pragma once

#include <windows.h>

#include <string>
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
};

}  // namespace corvane::win32
