// Asks Windows to signal when a watched key or folder changes: an event per
// key (RegNotifyChangeKeyValue) and a change notification per folder
// (FindFirstChangeNotificationW). The thread that makes and re-arms the
// watch must live as long as it does: a key's notification ends with the
// thread that asked for it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/row_selection.h"
#include "platform/watched_places.h"
#include "platform/win32/handles.h"

namespace corvane::win32 {

class Win32ChangeWatch {
 public:
  // Arms every place. A place that is missing is watched through its
  // nearest existing parent (for names of subkeys or folders) until it
  // appears; one that cannot be watched at all is left to the poll timer.
  explicit Win32ChangeWatch(const WatchedPlaces& places);
  Win32ChangeWatch(const Win32ChangeWatch&) = delete;
  Win32ChangeWatch& operator=(const Win32ChangeWatch&) = delete;

  // The handles that become signaled on a change, one per armed place that
  // has not signaled since it was armed, in the order of the places. Valid
  // until the next ArmSignaled.
  std::vector<HANDLE> Handles() const;

  // The handle was signaled: the rows of its place (every row for a place
  // that names none); nothing for a handle not of this watch. The place is
  // left unwatched until ArmSignaled, so that a place written nonstop wakes
  // the program once a cycle, not at every write.
  std::optional<RowSelection> Signaled(HANDLE signaled);

  // Asks again for the next change of every place that signaled, at the
  // place itself when it exists by now. Before every scan: the scan sees
  // whatever changed until then.
  void ArmSignaled();

  // Watches these folders from now on when they are not the ones watched (a
  // Startup folder was redirected while Corvane runs); the keys stay.
  void FollowFolders(const std::vector<WatchedFolder>& folders);

 private:
  struct KeyWatch {
    WatchedKey place;
    RegistryKey key;  // open for as long as the notification is wanted
    EventHandle event;
    bool signaled = false;
  };
  struct FolderWatch {
    WatchedFolder place;
    ChangeNotificationHandle notification;
    bool signaled = false;
  };

  static void Arm(KeyWatch& watch);
  static void Arm(FolderWatch& watch);

  std::vector<KeyWatch> keys_;
  std::vector<FolderWatch> folders_;
};

}  // namespace corvane::win32
