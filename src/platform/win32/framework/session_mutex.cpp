#include "platform/win32/framework/session_mutex.h"

namespace corvane::win32 {

SessionMutex::SessionMutex(const wchar_t* name) {
  mutex_ = OwnedHandle<HANDLE, Traits>(CreateMutexW(nullptr, FALSE, name));
  // Read at once: the next call into the system may change it.
  const DWORD error = GetLastError();
  // Refused access means it exists, made by a copy that runs with other
  // rights (elevated, say).
  held_elsewhere_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

}  // namespace corvane::win32
