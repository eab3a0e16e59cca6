#include "platform/win32/win32_change_watch.h"

#include <algorithm>
#include <utility>

#include "platform/win32/file_paths.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {

namespace {

// What changes a scan could see: names of subkeys and values, and data.
constexpr DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
// File names, and the contents of win.ini, system.ini and the task files.
constexpr DWORD kFolderChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                 FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
// At a parent of a missing place: only a new child can make it appear.
constexpr DWORD kParentKeyChanges = REG_NOTIFY_CHANGE_NAME;
constexpr DWORD kParentFolderChanges = FILE_NOTIFY_CHANGE_DIR_NAME;

// The path without its last part; "" when it has one part only (the
// registry root and a drive's root are never watched).
std::string Parent(const std::string& path) {
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A change that cannot be told to concern some rows concerns them all.
RowSelection RowsOf(const std::string& codes) {
  return codes.empty() ? RowSelection::Every() : RowSelection::Only(codes);
}

}  // namespace

Win32ChangeWatch::Win32ChangeWatch(const WatchedPlaces& places) {
  keys_.reserve(places.keys.size());
  for (const auto& place : places.keys) {
    keys_.push_back({place, {}, {}, false});
    Arm(keys_.back());
  }
  folders_.reserve(places.folders.size());
  for (const auto& place : places.folders) {
    folders_.push_back({place, {}, false});
    Arm(folders_.back());
  }
}

void Win32ChangeWatch::FollowFolders(const std::vector<WatchedFolder>& folders) {
  const auto same = [](const FolderWatch& watch, const WatchedFolder& place) {
    return watch.place.path == place.path && watch.place.subtree == place.subtree;
  };
  if (std::equal(folders_.begin(), folders_.end(), folders.begin(), folders.end(), same)) return;
  folders_.clear();
  folders_.reserve(folders.size());
  for (const auto& place : folders) {
    folders_.push_back({place, {}, false});
    Arm(folders_.back());
  }
}

std::vector<HANDLE> Win32ChangeWatch::Handles() const {
  std::vector<HANDLE> handles;
  for (const auto& watch : keys_) {
    if (watch.event && !watch.signaled) handles.push_back(watch.event.get());
  }
  // A folder's notification stays signaled until it is asked for the next change.
  for (const auto& watch : folders_) {
    if (watch.notification && !watch.signaled) handles.push_back(watch.notification.get());
  }
  return handles;
}

std::optional<RowSelection> Win32ChangeWatch::Signaled(HANDLE signaled) {
  for (auto& watch : keys_) {
    if (watch.event && watch.event.get() == signaled && !watch.signaled) {
      watch.signaled = true;
      return RowsOf(watch.place.rows);
    }
  }
  for (auto& watch : folders_) {
    if (watch.notification && watch.notification.get() == signaled && !watch.signaled) {
      watch.signaled = true;
      return RowsOf(watch.place.rows);
    }
  }
  return std::nullopt;
}

void Win32ChangeWatch::ArmSignaled() {
  for (auto& watch : keys_) {
    if (std::exchange(watch.signaled, false)) Arm(watch);
  }
  for (auto& watch : folders_) {
    if (std::exchange(watch.signaled, false)) Arm(watch);
  }
}

void Win32ChangeWatch::Arm(KeyWatch& watch) {
  // Closing a key ends its notification by signaling its event; the event
  // goes with it and a fresh one is armed, so that no stale signal follows.
  watch.key.Reset();
  watch.event.Reset();
  EventHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!event) return;
  const HKEY root =
      watch.place.root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  // The places' paths begin with a backslash, which RegOpenKeyExW refuses.
  const auto first = watch.place.path.find_first_not_of('\\');
  std::string path = first == std::string::npos ? std::string() : watch.place.path.substr(first);
  for (bool own = true; !path.empty(); own = false, path = Parent(path)) {
    RegistryKey key;
    // The literal view, as the scanners read it, also from a 32-bit program.
    if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_NOTIFY | KEY_WOW64_64KEY, key.Receive()) !=
        ERROR_SUCCESS) {
      continue;
    }
    const BOOL subtree = own && watch.place.subtree ? TRUE : FALSE;
    if (RegNotifyChangeKeyValue(key.get(), subtree, own ? kKeyChanges : kParentKeyChanges,
                                event.get(), TRUE) == ERROR_SUCCESS) {
      watch.key = std::move(key);
      watch.event = std::move(event);
      return;
    }
  }
}

void Win32ChangeWatch::Arm(FolderWatch& watch) {
  watch.notification.Reset();
  std::string path = watch.place.path;
  for (bool own = true; Parent(path).size() > 0; own = false, path = Parent(path)) {
    const BOOL subtree = own && watch.place.subtree ? TRUE : FALSE;
    ChangeNotificationHandle notification(FindFirstChangeNotificationW(
        FilePath(path).c_str(), subtree, own ? kFolderChanges : kParentFolderChanges));
    if (notification) {
      watch.notification = std::move(notification);
      return;
    }
  }
}

}  // namespace corvane::win32
