// One copy of the program per user session: a named mutex in the session's
// own namespace, kept by the first copy for as long as it runs. The system
// lets go of it when that copy ends, however it ends.
#pragma once

#include "platform/win32/handles.h"

namespace corvane::win32 {

class SessionMutex {
 public:
  // Makes the mutex of that name ("Local\\..."), or opens it when another
  // process made it first.
  explicit SessionMutex(const wchar_t* name);

  // True when another process of the session made the mutex. A mutex that
  // could not be made for another reason reads false: a failure of ours
  // keeps no copy from running.
  bool HeldElsewhere() const { return held_elsewhere_; }

 private:
  struct Traits : NullIsNone {
    static void Free(HANDLE mutex) { CloseHandle(mutex); }
  };
  OwnedHandle<HANDLE, Traits> mutex_;
  bool held_elsewhere_ = false;
};

}  // namespace corvane::win32
