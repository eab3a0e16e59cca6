// A kept connection to a system service reached through COM (the Task
// Scheduler, WMI): made on first use, kept, and made anew once when the
// service was restarted under it.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/win32/com_owners.h"

namespace corvane::win32 {

constexpr HRESULT FromWin32(DWORD error) {
  return static_cast<HRESULT>((error & 0xFFFFu) | (FACILITY_WIN32 << 16) | 0x80000000u);
}

// What a call answers when the connection to the service broke under it (the
// service was restarted): worth connecting again, unlike any other failure.
inline bool Disconnected(HRESULT result) {
  constexpr HRESULT kTaskServiceNotRunning = static_cast<HRESULT>(0x80041315u);
  constexpr HRESULT kWmiTransportFailure = static_cast<HRESULT>(0x80041015u);
  for (const HRESULT broken :
       {RPC_E_DISCONNECTED, RPC_E_SERVER_DIED, RPC_E_SERVER_DIED_DNE, CO_E_OBJNOTCONNECTED,
        FromWin32(RPC_S_SERVER_UNAVAILABLE), FromWin32(RPC_S_CALL_FAILED),
        FromWin32(RPC_S_CALL_FAILED_DNE), FromWin32(ERROR_INVALID_HANDLE), kTaskServiceNotRunning,
        kWmiTransportFailure}) {
    if (result == broken) return true;
  }
  return false;
}

// Runs `operation` on the kept connection, made first by `connect` if there
// is none. When a kept connection turns out broken, it is dropped and
// `operation` runs once more on a new one. The answer is the operation's, or
// why no connection.
template <typename Interface, typename Connect, typename Operation>
HRESULT WithConnection(ComPtr<Interface>& kept, Connect connect, Operation operation) {
  const bool was_kept = static_cast<bool>(kept);
  if (!was_kept) {
    const HRESULT connected = connect(kept);
    if (FAILED(connected)) return connected;
  }
  HRESULT result = operation(kept.get());
  if (!Disconnected(result)) return result;
  kept.Reset();
  if (!was_kept) return result;
  result = connect(kept);
  if (FAILED(result)) return result;
  result = operation(kept.get());
  if (Disconnected(result)) kept.Reset();
  return result;
}

}  // namespace corvane::win32
