#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "monitor/places_to_watch.h"
#include "platform/case_fold.h"
#include "platform/memory/memory_environment.h"

namespace corvane {
namespace {

bool Watches(const WatchedPlaces& places, RegistryRoot root, const std::string& path, bool subtree,
             const std::string& rows = "") {
  return std::any_of(places.keys.begin(), places.keys.end(), [&](const WatchedKey& key) {
    return key.root == root && key.path == path && key.subtree == subtree &&
           (rows.empty() || key.rows == rows);
  });
}

// Whether a watched key takes the changes of the key for every one of the rows.
bool Covers(const WatchedPlaces& places, const WatchedKey& wanted) {
  return std::any_of(places.keys.begin(), places.keys.end(), [&](const WatchedKey& key) {
    const auto path = FoldCase(wanted.path), watched = FoldCase(key.path);
    const bool at = path == watched || (key.subtree && path.rfind(watched + '\\', 0) == 0);
    return key.root == wanted.root && at &&
           std::all_of(wanted.rows.begin(), wanted.rows.end(),
                       [&](char row) { return key.rows.find(row) != std::string::npos; });
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
  EXPECT_TRUE(Covers(places, {user, "\\Software" + run, false, "2"}));
  EXPECT_TRUE(Covers(places, {machine, "\\Software\\WOW6432Node" + run, false, "1"}));
  EXPECT_TRUE(Covers(places, {machine, "\\Software\\WOW6432Node" + options + "\\x", false, "D"}));
  EXPECT_TRUE(Covers(places, {machine, "\\SYSTEM\\CurrentControlSet\\Services\\x", false, "4s"}));
  EXPECT_TRUE(Watches(places, user, "\\Software\\Microsoft\\Internet Explorer\\Main", false));
  EXPECT_TRUE(Covers(places, {user, "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                              false, "W"}));
  EXPECT_FALSE(Watches(places, user, "\\SYSTEM\\CurrentControlSet\\Services", true));

  EXPECT_TRUE(Watches(places, user_startup, false));
  EXPECT_TRUE(Watches(places, "C:\\WINDOWS", false));
  EXPECT_EQ(std::find_if(places.folders.begin(), places.folders.end(),
                         [](const WatchedFolder& f) { return f.path == "C:\\WINDOWS"; })
                ->rows,
            "56");
  EXPECT_TRUE(Watches(places, "C:\\WINDOWS\\system32\\Tasks", true));
  EXPECT_EQ(places.unsignaled_rows, "T");
  // Five Startup folders (the shell's all-users one is all users' of old),
  // the Windows folder, the task store, and five folders of programs'
  // files (no Documents and no %ProgramFiles% here).
  EXPECT_EQ(places.folders.size(), 12u);
  // MsgWaitForMultipleObjectsEx waits on at most 63 handles besides the messages.
  EXPECT_LE(places.keys.size() + places.folders.size(), 63u);

  // Without a task store and a user profile: no folder from an unset
  // variable, which would name one relative to wherever the program runs.
  environment.Unset("USERPROFILE");
  const auto fewer = PlacesToWatch(environment, "");
  EXPECT_EQ(fewer.folders.size(), 9u);
  for (const auto& folder : fewer.folders) {
    EXPECT_EQ(folder.path.rfind("C:\\", 0), 0u) << folder.path;
  }
}

// However many keys the rows read, one wait watches them all: a key below
// one watched with its subtree goes to that one, and then keys go to their
// deepest common parent, watched with its subtree, each time with their rows.
TEST(WatchedPlacesTest, ManyKeysFoldIntoParentsThatTakeTheirChangesAndRows) {
  const auto machine = RegistryRoot::kLocalMachine;
  WatchedPlaces many;
  char row = 'a';
  for (const char* below : {"\\SYSTEM\\CurrentControlSet\\Control\\",
                            "\\Software\\Microsoft\\Windows\\CurrentVersion\\",
                            "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\"}) {
    for (int i = 0; i < 20; ++i) {
      many.keys.push_back({machine, below + std::to_string(i), false, std::string(1, row++)});
    }
  }
  many.keys.push_back({machine, "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip", false, "x"});
  many.keys.push_back({machine, "\\SYSTEM\\CurrentControlSet\\services", true, "4"});
  many.keys.push_back({RegistryRoot::kCurrentUser, "\\Environment", false, "y"});
  for (int i = 0; i < 7; ++i) many.folders.push_back({"C:\\" + std::to_string(i), false, "3"});

  const auto few = FoldPlaces(many, 60);
  EXPECT_LE(few.keys.size() + few.folders.size(), 60u);
  for (const auto& key : many.keys) EXPECT_TRUE(Covers(few, key)) << key.path;
  EXPECT_EQ(few.folders.size(), 7u);
  EXPECT_TRUE(Watches(few, machine, "\\SYSTEM\\CurrentControlSet\\services", true, "4x"));
  // Room enough: only the key below a subtree is folded.
  EXPECT_EQ(FoldPlaces(many, 100).keys.size(), many.keys.size() - 1);
}

}  // namespace
}  // namespace corvane
