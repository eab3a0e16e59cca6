#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "monitor/places_to_watch.h"
#include "platform/memory/memory_environment.h"

namespace corvane {
namespace {

bool Watches(const WatchedPlaces& places, RegistryRoot root, const std::string& path,
             bool subtree) {
  return std::any_of(places.keys.begin(), places.keys.end(), [&](const WatchedKey& key) {
    return key.root == root && key.path == path && key.subtree == subtree;
  });
}

bool Watches(const WatchedPlaces& places, const std::string& path, bool subtree) {
  return std::any_of(places.folders.begin(), places.folders.end(), [&](const WatchedFolder& f) {
    return f.path == path && f.subtree == subtree;
  });
}

// Windows 10 as the program finds it: the shell's Startup folders lie below
// the profiles, apart from the folders of older Windows.
TEST(WatchedPlacesTest, EveryScannedPlaceIsWatchedOnceWithinOneWait) {
  MemoryEnvironment environment;
  environment.Set("windir", "C:\\WINDOWS");
  environment.Set("ALLUSERSPROFILE", "C:\\ProgramData");
  environment.Set("USERPROFILE", "C:\\Users\\ann");
  const std::string user_startup =
      "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  environment.SetShellFolder(ShellFolder::kStartup, user_startup);
  // The same folder as the all-users one of older Windows, in other letters.
  environment.SetShellFolder(ShellFolder::kCommonStartup,
                             "C:\\PROGRAMDATA\\Start Menu\\Programs\\Startup");
  const auto places = PlacesToWatch(environment, "C:\\WINDOWS\\system32\\Tasks");

  const auto machine = RegistryRoot::kLocalMachine;
  const auto user = RegistryRoot::kCurrentUser;
  const std::string run = "\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::string options =
      "\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
  EXPECT_TRUE(Watches(places, user, "\\Software" + run, false));
  EXPECT_TRUE(Watches(places, machine, "\\Software\\WOW6432Node" + run, false));
  EXPECT_TRUE(Watches(places, machine, "\\Software\\WOW6432Node" + options, true));
  EXPECT_TRUE(Watches(places, machine, "\\SYSTEM\\CurrentControlSet\\Services", true));
  EXPECT_TRUE(Watches(places, user, "\\Software\\Microsoft\\Internet Explorer\\Main", false));
  EXPECT_TRUE(Watches(places, user, "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                      false));
  EXPECT_FALSE(Watches(places, user, "\\SYSTEM\\CurrentControlSet\\Services", true));

  EXPECT_TRUE(Watches(places, user_startup, false));
  EXPECT_TRUE(Watches(places, "C:\\WINDOWS", false));
  EXPECT_TRUE(Watches(places, "C:\\WINDOWS\\system32\\Tasks", true));
  // Five Startup folders (the shell's all-users one is all users' of old),
  // the Windows folder, the task store.
  EXPECT_EQ(places.folders.size(), 7u);
  // MsgWaitForMultipleObjectsEx waits on at most 63 handles besides the messages.
  EXPECT_LE(places.keys.size() + places.folders.size(), 63u);

  // Without a task store and a user profile: no folder from an unset
  // variable, which would name one relative to wherever the program runs.
  environment.Unset("USERPROFILE");
  const auto fewer = PlacesToWatch(environment, "");
  EXPECT_EQ(fewer.folders.size(), 4u);
  for (const auto& folder : fewer.folders) {
    EXPECT_EQ(folder.path.rfind("C:\\", 0), 0u) << folder.path;
  }
}

}  // namespace
}  // namespace corvane
