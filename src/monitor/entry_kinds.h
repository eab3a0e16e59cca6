// The table of places: one row per kind of startup entry, saying where
// Windows keeps such entries, what is read there, where the command the
// alert shows comes from and how "No" removes one. The scan, the change
// notifications, the alert's facts, the removal, the revert of a changed
// entry and the help page's list are all derived from these rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/area_switches.h"
#include "platform/definition_library.h"

namespace corvane {

// The check box of the main window that switches a row.
enum class Area {
  kRegistryKeys,
  kStartupFolders,
  kServices,
  kIniFiles,
  kIeObjects,
  kScheduledTasks
};

bool AreaIsOn(const AreaSwitches& switches, Area area);

// What a row reads at each of its places.
enum class Reads {
  kValueNames,        // every value of the key, by name, whatever its data
  kNamedValues,       // the row's named values, each a non-empty string with its data
  kNamedCommands,     // the row's named values by name, their data a command that can change
  kMultiStringItems,  // each item of the row's named multi-string values, with the item
  kSubkeyValues,      // the row's named value of every subkey, with its data
  kSubkeyValueNames,  // every value of every subkey, by name, whatever its data
  kSubkeys,           // the subkeys themselves
  kFolderFiles,       // the ordinary files of the folders
  kIniLines,          // the lines of an INI file that begin with a key
  kLibrary,           // the items of the row's library of definitions
};

// Where the command that an entry starts comes from.
enum class CommandFrom {
  kValueData,      // the data of the value the entry names
  kEntryData,      // the data the entry carries
  kSubkeyValue,    // a value of the entry's subkey (the row's command value)
  kClassServer,    // the in-process server of the COM class the subkey names
  kFile,           // a shortcut's target with its arguments, any other file itself
  kIniValue,       // the line's text after its "="
  kDefinition,     // the item's definition: a task's first action, a subscription's consumer
  kApprovedState,  // Task Manager's state that the value holds: enabled or disabled
};

// Where Task Manager keeps whether an entry of the row is disabled.
enum class Approved {
  kNone,
  kRunValue,     // a value of its Run key's StartupApproved key, by the value's name
  kStartupFile,  // a value of StartupApproved\StartupFolder, by the file's name
};

// How "No" removes an entry; a changed entry is reverted and a backup put
// back by the same rule.
enum class Removal {
  kDeleteValue,     // the value is deleted; one Windows needs gets its default back
  kCutListItem,     // the item is cut out of its multi-string value, the others stay
  kEmptyValue,      // the value is set to ""
  kDisableService,  // the service's start value is set to disabled
  kDeleteKeyTree,   // the subkey goes with everything below it
  kMoveFile,        // the file moves into the Removed folder
  kCutIniValue,     // the value is cut out of the INI line
  kDeleteFromLibrary,  // the item is deleted from its library
};

// In which registry views a key under HKEY_LOCAL_MACHINE\Software is read:
// on 64-bit Windows the 32-bit programs' settings live in a second view.
// A key that Windows shares between the views is read once.
enum class Views { kOne, kBoth };

// A value that a row reads by name. Windows cannot start without some of
// them: declining such a value writes its default back instead.
struct WatchedValue {
  const char* name;
  const char* windows_default = nullptr;   // none: the value is deleted
  bool default_in_windows_folder = false;  // the default follows the Windows folder
};

struct RegistryPlace {
  char root_code;
  std::string key;  // from the root, a leading backslash, no trailing one
  Views views = Views::kOne;
  bool subtree = false;  // changes below the key count too
  std::vector<WatchedValue> values = {};
};

// Where a Startup folder lies.
enum class FolderBase {
  kWindows,             // %windir%
  kAllUsersProfile,     // %ALLUSERSPROFILE%
  kUserProfile,         // %USERPROFILE%
  kAdministrator,       // the profile named Administrator beside the user's
  kShellStartup,        // the user's Startup folder as the shell names it
  kShellCommonStartup,  // all users' Startup folder as the shell names it
  kShellDocuments,      // the user's Documents folder as the shell names it
  kProgramFiles,        // %ProgramFiles%
};

struct FolderPlace {
  FolderBase base;
  const char* searched = "";         // after the base: the folder listed
  const char* recorded = "";         // after the base: written into the entries
  bool searched_must_exist = false;  // else the base itself must exist
  bool once = false;                 // left out when it is a folder listed before
  const char* mask = "*.*";          // the files of the folder that count
};

struct IniPlace {
  const char* file;  // in the Windows folder
  const char* key;   // the line's beginning, with its "="
};

struct EntryKind {
  char type_code;         // begins each of its entries; kept in stored files, so never changed
  std::string type_text;  // the alert's Type
  Area area;
  Reads reads;
  const char* about;  // what the places hold, for the list of watched places
  std::vector<RegistryPlace> keys = {};
  std::vector<FolderPlace> folders = {};
  std::vector<IniPlace> ini_lines = {};
  Library library = Library::kTasks;  // kLibrary: the library read
  CommandFrom command = CommandFrom::kEntryData;
  // A change of the command under the same name is asked about.
  bool command_can_change = false;
  // kFolderFiles: the file's bytes are what it starts, so a replaced file is
  // a changed entry, and No puts back the copy kept when it was first seen.
  bool tracks_content = false;
  Removal removal = Removal::kDeleteValue;
  // The log line names the kind by this text followed by its item; without
  // one, by its Type, ": ", its location and the data it carries.
  const char* logged = nullptr;
  enum class LoggedItem {
    kNothing,
    kName,
    kFileName,
    kIniValue
  } logged_item = LoggedItem::kNothing;
  bool blacklistable = false;  // its value names can be on the blacklist
  // Removing one can stop Windows from starting or working: each is asked
  // about on its own, never answered together with others.
  bool ask_one_by_one = false;
  // A new entry is taken unasked: the row keeps a state, not a program.
  bool asked_when_new = true;
  // A changed command is asked about only when it becomes this one.
  const char* asked_when_changed_to = nullptr;
  Approved approved = Approved::kNone;
  // kSubkeys: which subkeys count. With a number value named, only those
  // whose value holds the number (or, `counted_unless`, does not hold it).
  const char* counted_when = nullptr;
  int counted_number = 0;
  bool counted_unless = false;
  std::vector<const char*> counted_with = {};  // only those with one of these subkeys
  std::vector<const char*> only_subkeys = {};  // only these names, opened without a listing
  bool needs_command = false;                  // only those with a command to start
  int disabled_number = 0;                     // kDisableService
  // kSubkeyValue: the value below the subkey that holds the command.
  const char* command_key = "";
  const char* command_value = nullptr;
  // kSubkeys: only the subkeys that the row of this type code counts and
  // whose command holds this text (in any letter case), taken from that
  // row's scan when it ran first, so that the key is not walked twice.
  char narrowed_by = 0;
  const char* narrowed_to = "";
  // The version of the table in which the row took its present form: a
  // baseline saved by an earlier table knows nothing of its entries.
  int since = 1;
};

// The version of the table that a saved baseline is taken with.
inline constexpr int kPlacesVersion = 3;

// Whether a subkey whose number value reads so counts for the row.
bool CountedByNumber(const EntryKind& kind, std::optional<std::int32_t> number);

// Every row, in the order of the scan, which is the order of the alerts.
const std::vector<EntryKind>& EntryKinds();

// The row of that type code; nullptr for a code no row has.
const EntryKind* KindOf(char type_code);

// The paths at which the place's key is read: the key itself and, for a
// key read in both views, its 32-bit view right after it.
std::vector<std::string> ViewsOf(const RegistryPlace& place);

}  // namespace corvane
