// Every text that Corvane shows or writes, in one place, so that the logic,
// the windows and the tests all hold the same words.
#pragma once

#include "version.h"

namespace corvane::texts {

inline constexpr const char kApplicationTitle[] = "Corvane";
// Its events' source in the Application log, as the installers register it.
inline constexpr const char kEventSource[] = "Corvane";
inline constexpr const char kProgramVersion[] = CORVANE_VERSION;

// The options file in the Windows directory and the autorun value.
inline constexpr const char kOptionsFile[] = "corvane.ini";
inline constexpr const char kOptionsSection[] = "Options";
inline constexpr const char kAutorunKey[] = "1";
inline constexpr const char kRegistryKeysKey[] = "2";
inline constexpr const char kStartupFoldersKey[] = "3";
inline constexpr const char kServicesKey[] = "4";
inline constexpr const char kIniFilesKey[] = "5";
inline constexpr const char kScheduledTasksKey[] = "7";
inline constexpr const char kVersionKey[] = "V";
inline constexpr const char kOptionChecked[] = "1";
inline constexpr const char kOptionUnchecked[] = "0";
inline constexpr const char kAutorunValue[] = "Corvane";
inline constexpr const char kMainCaptionPrefix[] = "Corvane - V";

// Error messages; "%s" stands for the name that the message is about.
inline constexpr const char kUnableToReadFile[] = "Unable to read %s";
inline constexpr const char kUnableToWriteFile[] = "Unable to write to %s";
inline constexpr const char kUnableToDeleteFile[] = "Unable to delete %s";
// Follows an error about a file of the program's own that could not be written.
inline constexpr const char kWriteAdvice[] =
    ". Make sure the file is not read-only and that your account may write to its folder";
// A window of the program was to be shown while it was already open.
inline constexpr const char kWindowAlreadyOpen[] = "The window \"%s\" is already open";
inline constexpr const char kFailedToSetData[] = "Failed to set data for '%s'";

// Files beside the program, or in the user's application data folder
// (%APPDATA%\Corvane) when the program's folder cannot be written.
inline constexpr const char kAppDataVariable[] = "APPDATA";
inline constexpr const char kDataFolder[] = "Corvane";
// Put beside the program by its installers: an installed copy keeps each
// user's data in the user's own folder, whatever the rights of the moment.
inline constexpr const char kInstalledMarkFile[] = "installed.txt";
inline constexpr const char kBlacklistFile[] = "blacklist";
inline constexpr const char kLogFile[] = "corvane.log";
// Appended to an INI file's path for the filtered copy that replaces it.
inline constexpr const char kIniCopySuffix[] = ".cv";

// Titles of the standard message boxes.
inline constexpr const char kInformationTitle[] = "Information";
inline constexpr const char kWarningTitle[] = "Warning";

// Messages of the poll cycle.
inline constexpr const char kRestoredMessage[] =
    "All Startup entries were restored, but now we recommend that you close all applications, "
    "and restart your PC.";
inline constexpr const char kNotRemovedWarning[] =
    "Some of the startup entries that you declined could not be removed. They are still in place.";

// The alert window.
inline constexpr const char kAlertCaption[] = "Corvane ALERT!";
inline constexpr const char kAlertHeadline[] =
    "Alert! - This entry was just added to your PC to autostart.";
inline constexpr const char kAlertQuestion[] = "Do you want to KEEP this new entry? ";
inline constexpr const char kAlertAdvice[] =
    "(If you are not sure what this program is, we recommend you select NO)";
inline constexpr const char kAlertTypeLabel[] = "Type:";
inline constexpr const char kAlertLocationLabel[] = "Location:";
inline constexpr const char kYesButton[] = "&Yes";
inline constexpr const char kNoButton[] = "&No";
inline constexpr const char kDoNotAskAgain[] = "Do not ask me again for this entry";

// Type and location texts that the removal actions hand to the alert.
inline constexpr const char kRegistryStartupType[] = "Registry Startup";
inline constexpr const char kStartupFolderType[] = "Startup Folder";
inline constexpr const char kRegistryServiceType[] = "Registry Service";
inline constexpr const char kIniFileTypeSuffix[] = " File";  // after the INI file name
inline constexpr const char kRegistryType[] = "Registry";
inline constexpr const char kStartPageLocation[] = "IE Startup Page";
inline constexpr const char kBrowserHelperLocation[] = "IE BHO Location";
inline constexpr const char kWinlogonType[] = "Winlogon";
inline constexpr const char kDebuggerType[] = "Debugger";
inline constexpr const char kAppInitType[] = "AppInit DLLs";
inline constexpr const char kCommandProcessorType[] = "Command Processor";
inline constexpr const char kScheduledTaskType[] = "Scheduled Task";
inline constexpr const char kEventSubscriptionType[] = "WMI Event Subscription";
inline constexpr const char kRunOnceExType[] = "RunOnceEx";
inline constexpr const char kActiveSetupType[] = "Active Setup";
inline constexpr const char kEnvironmentType[] = "Environment";
inline constexpr const char kSilentProcessExitType[] = "Silent Process Exit";
inline constexpr const char kScreensaverType[] = "Screensaver";
inline constexpr const char kSessionManagerType[] = "Session Manager";
inline constexpr const char kNetShType[] = "NetSh Helper";
inline constexpr const char kWinsockType[] = "Winsock";
inline constexpr const char kSecurityPackageType[] = "Security Package";
inline constexpr const char kTimeProviderType[] = "Time Provider";
inline constexpr const char kPrintingType[] = "Printing";
inline constexpr const char kRemoteDesktopType[] = "Remote Desktop";
inline constexpr const char kOfficeType[] = "Office";
inline constexpr const char kBrowserExtensionType[] = "Browser Extension";
inline constexpr const char kShellFolderType[] = "Shell Folder";
inline constexpr const char kComClassType[] = "COM Class";
inline constexpr const char kFileTypeType[] = "File Type";
inline constexpr const char kServiceDllType[] = "Service DLL";
inline constexpr const char kStartupScriptType[] = "Startup Script";
inline constexpr const char kShimDatabaseType[] = "Shim Database";
inline constexpr const char kTaskManagerType[] = "Task Manager";
inline constexpr const char kAccessibilityType[] = "Accessibility";
// Task Manager's state of an entry, as its command; and after the Type of an
// entry that Task Manager keeps disabled.
inline constexpr const char kApprovedEnabled[] = "Enabled";
inline constexpr const char kApprovedDisabled[] = "Disabled";
inline constexpr const char kDisabledInTaskManager[] = " (disabled in Task Manager)";

// Log messages: an outcome, then what was removed, then how it was decided.
inline constexpr const char kDeleted[] = "Deleted ";
inline constexpr const char kCouldNotDelete[] = "Could not delete ";
// Why a declined entry stays in place, after its name in the log and after
// its location in the warning: "%s" is the folder where its backup could not
// be written.
inline constexpr const char kNoBackupReason[] = "Corvane could not keep a backup in %s";
inline constexpr const char kLoggedReasonSeparator[] = ": ";
inline constexpr const char kNotRemovedBecause[] = " could not be removed: ";
// A changed entry whose old command was written back.
inline constexpr const char kChangedBack[] = "Changed back ";
inline constexpr const char kCouldNotChangeBack[] = "Could not change back ";
inline constexpr const char kRegistryStartupLogged[] = "Registry Startup: ";
inline constexpr const char kStartupFolderFileLogged[] = "Startup Folder file: ";
inline constexpr const char kServiceStartupLogged[] = "Service Startup: ";
inline constexpr const char kIniStartupLogged[] = ".INI Startup: ";
inline constexpr const char kStartPageLogged[] = "IE Startup Page";
inline constexpr const char kBrowserHelperLogged[] = "IE BHO";
// The kinds without a text of their own above are logged as their Type, this
// separator and their location; one that carries its data adds it in brackets.
inline constexpr const char kLoggedTypeSeparator[] = ": ";
inline constexpr const char kLoggedDataOpen[] = " (";
inline constexpr const char kLoggedDataClose[] = ")";
// Registry startups carry a blank at both ends of their suffix, the others none at the end.
inline constexpr const char kUserInvokedRegistrySuffix[] = " [User Invoked] ";
inline constexpr const char kBlacklistedRegistrySuffix[] = " [Blacklisted] ";
inline constexpr const char kUserInvokedSuffix[] = " [User Invoked]";
inline constexpr const char kLogTimeSeparator[] = " - ";

// The blacklist editor.
inline constexpr const char kBlacklistCaption[] = "Edit your BlackList";
inline constexpr const char kBlacklistPrompt[] = "Select an entry from your Blacklist to Delete:";
inline constexpr const char kSaveButton[] = "Save";
inline constexpr const char kDeleteButton[] = "Delete";
inline constexpr const char kCancelButton[] = "Cancel";
inline constexpr const char kSaveListTip[] = "Save your list";
inline constexpr const char kDeleteEntryTip[] = "Delete an entry";
inline constexpr const char kDoNotSaveTip[] = "Do not save changes";
inline constexpr const char kBlacklistSaved[] = "Your \"Blacklist\" file was saved.";

// The log viewer.
inline constexpr const char kLogViewerCaption[] = "Corvane Logfile";
// Shown instead of an empty box while there is no log; "%s" is the options
// window's box that keeps one.
inline constexpr const char kLoggingOffHint[] =
    "Logging is off. To turn it on, tick \"%s\" in the options window (Restore in the "
    "menu of Corvane's icon) and press Save.";
inline constexpr const char kCloseButton[] = "Close";

// The window toolkit.
// Shown when a handler fails with something that carries no message.
inline constexpr const char kUnknownError[] = "An unexpected error occurred";

// ---- Tray icon and program resources ----
// The tool tip of the notification-area icon.
inline constexpr const char kTrayToolTip[] = "Corvane";
// The version information of corvane.exe (src/app/resources.h holds the
// same texts for the resource compiler; a test keeps the two equal). The
// version itself comes from the generated version.h.
inline constexpr const char kCompanyName[] = "Halvorn LLC.";
inline constexpr const char kFileDescription[] = "Corvane autostart guard";
inline constexpr const char kFileVersion[] = CORVANE_VERSION_TEXT;
// The help page beside the program.
inline constexpr const char kHelpPage[] = "corvane-help.html";

// ---- The main window ----
inline constexpr const char kMainTitleLabel[] = "Corvane";
inline constexpr const char kMakerLabel[] = "By Halvorn LLC.";
inline constexpr const char kVisitWebSite[] = "Visit web site";
inline constexpr const char kAutorunOption[] = "Autorun Corvane on bootup";
inline constexpr const char kAreasGroup[] = "Areas to Monitor:";
inline constexpr const char kMonitorRegistryKeys[] = "Monitor 'StartUp' Registry keys";
inline constexpr const char kMonitorStartupFolders[] = "Monitor 'StartUp' Folders";
inline constexpr const char kMonitorServices[] = "Monitor Services";
inline constexpr const char kMonitorIniFiles[] = "Monitor .INI system files";
inline constexpr const char kMonitorIeObjects[] = "Monitor IE objects";
inline constexpr const char kMonitorScheduledTasks[] = "Monitor Scheduled Tasks";
// Ticked while corvane.log exists in the data folder; Save makes or deletes it.
inline constexpr const char kKeepLogOption[] = "Keep a log of removals";
// The tray icon's notice after the first Save, so that the icon is found.
inline constexpr const char kWatchingNotice[] =
    "Corvane is watching your startup. Right-click this icon for its menu.";
// Menus.
inline constexpr const char kRestoreItem[] = "&Restore";
inline constexpr const char kExitItem[] = "E&xit";
inline constexpr const char kBlackListMenu[] = "&BlackList";
inline constexpr const char kEditItem[] = "&Edit";
inline constexpr const char kHelpMenu[] = "&Help";
inline constexpr const char kOnlineHelpItem[] = "&Online Help";
// The maker's name's tool tip says kVisitWebSite; the menu item has its access key.
inline constexpr const char kVisitWebSiteItem[] = "Visit &web site";
inline constexpr const char kViewLogfileItem[] = "View &Logfile";
inline constexpr const char kExitQuestion[] = "Are you sure you want to Exit Corvane?";
// The maker's home page, opened from the menu and from the maker's name.
inline constexpr const char kHomePage[] = "https://www.halvorn.example/corvane/";
inline constexpr const char kShellOpen[] = "open";

// ---- Locations as the alert names them ----
inline constexpr const char kLocalMachineRootName[] = "HKEY_LOCAL_MACHINE";
inline constexpr const char kCurrentUserRootName[] = "HKEY_CURRENT_USER";
// The same roots in the list of startup entries, where room is short.
inline constexpr const char kLocalMachineShortName[] = "HKLM";
inline constexpr const char kCurrentUserShortName[] = "HKCU";
// Between an INI file's path and the key of its line.
inline constexpr const char kIniLocationSeparator[] = ": ";

// ---- What the alert shows of an entry ----
// (alert window)
inline constexpr const char kAlertChangedHeadline[] = "Alert! - This entry was just changed.";
inline constexpr const char kAlertChangedQuestion[] = "Do you want to KEEP this change? ";
inline constexpr const char kAlertCommandLabel[] = "Command:";
inline constexpr const char kAlertOldCommandLabel[] = "Old command:";
inline constexpr const char kAlertNewCommandLabel[] = "New command:";
inline constexpr const char kAlertPublisherLabel[] = "Publisher:";
// How a program file's signature reads, and the alert's Publisher line made of it.
inline constexpr const char kSignatureVerified[] = "Verified: ";  // the signer follows
inline constexpr const char kSignatureNotSigned[] = "Not signed";
inline constexpr const char kSignatureNotValid[] = "Signature not valid";
inline constexpr const char kSignatureFileNotFound[] = "File not found";
inline constexpr const char kPublisherVerified[] = " (verified)";         // after the signer
inline constexpr const char kPublisherNotVerified[] = " (not verified)";  // after the company
inline constexpr const char kPublisherFileNotFound[] = "(file not found)";
// A signer whose name begins so is Windows' own.
inline constexpr const char kWindowsOwnSigner[] = "Microsoft ";
// Marks what is left out of the middle of a command's folder, or of its end.
inline constexpr const char kShortenedMark[] = "...";
// "1 of 214": the alert's place among those of this cycle, then their count.
inline constexpr const char kAlertPlace[] = "%s of %s";
// The same answer for the entries of this type still to come; "%s" is how many.
inline constexpr const char kSameAnswerOneNew[] =
    "Give the &same answer to the other new entry of this type";
inline constexpr const char kSameAnswerNew[] =
    "Give the &same answer to the other %s new entries of this type";
inline constexpr const char kSameAnswerOne[] =
    "Give the &same answer to the other entry of this type";
inline constexpr const char kSameAnswer[] =
    "Give the &same answer to the other %s entries of this type";
inline constexpr const char kCopyDetails[] = "&Copy details";
inline constexpr const char kCopyDetailsFailed[] = "The details could not be put on the clipboard";
// Between a caption ("Type:") and its text in the copied details, and between its lines.
inline constexpr const char kDetailsGap[] = " ";
inline constexpr const char kDetailsLineEnd[] = "\r\n";

// ---- Backups of removed entries and putting them back ----
// (backups)
// Folders in the data folder: one record per removal, and the Startup
// files that removals moved out of their folder.
inline constexpr const char kBackupsFolder[] = "Backups";
inline constexpr const char kRemovedFolder[] = "Removed";
inline constexpr const char kBackupExtension[] = ".txt";
// Appended to a record's path for the sealed copy that replaces it.
inline constexpr const char kRecordCopySuffix[] = ".new";
// Between a record's time and its number in its file name.
inline constexpr const char kBackupNumberSeparator[] = "-";
// A name already taken in the Removed folder gets " (2)", " (3)"... before its extension.
inline constexpr const char kRemovedNumberOpen[] = " (";
inline constexpr const char kRemovedNumberClose[] = ")";
// The name in the Removed folder of a file whose name is only dots and blanks.
inline constexpr const char kRemovedWithoutName[] = "removed";
// The log line of an entry put back: this, then what its removal's line named.
inline constexpr const char kPutBackLogged[] = "Put back ";
// The key that seals the backups and the saved baseline, protected for the
// user's account, and the suffix of the copy that replaces it.
inline constexpr const char kSealKeyFile[] = "key";
// The first bytes of each watched program file, named by their SHA-256.
inline constexpr const char kKeptCopiesFolder[] = "Originals";
// After the path of a file whose bytes are watched: its size and the start of its hash.
inline constexpr const char kContentFacts[] = " (%s bytes, SHA-256 %s)";
inline constexpr const char kSealKeyCopySuffix[] = ".new";
// A record's first line, its field names and the words of its fields.
namespace record {
inline constexpr char kSignature[] = "Corvane backup 1";
inline constexpr char kDate[] = "date";
inline constexpr char kSortable[] = "sortable";
inline constexpr char kType[] = "type";
inline constexpr char kLocation[] = "location";
inline constexpr char kCommand[] = "command";
inline constexpr char kEntry[] = "entry";
inline constexpr char kLogged[] = "logged";
inline constexpr char kKind[] = "kind";
inline constexpr char kRoot[] = "root";
inline constexpr char kPath[] = "path";
inline constexpr char kName[] = "name";
inline constexpr char kBefore[] = "before";
inline constexpr char kAfter[] = "after";
inline constexpr char kSubkey[] = "subkey";
inline constexpr char kValue[] = "value";
inline constexpr char kKept[] = "kept";
inline constexpr char kLine[] = "line";
inline constexpr char kDefinition[] = "definition";
// Kinds.
inline constexpr char kValueKind[] = "value";
inline constexpr char kKeyKind[] = "key";
inline constexpr char kMovedKind[] = "moved";
inline constexpr char kFileKind[] = "file";
inline constexpr char kIniKind[] = "ini";
inline constexpr char kTaskKind[] = "task";
inline constexpr char kSubscriptionKind[] = "subscription";
// What a removal left at a value's place.
inline constexpr char kAbsent[] = "absent";
inline constexpr char kText[] = "text";
inline constexpr char kNumber[] = "number";
inline constexpr char kRaw[] = "raw";
}  // namespace record

// ---- The window of removed entries ----
// (removed entries window)
inline constexpr const char kRemovedEntriesCaption[] = "Corvane - Removed entries";
inline constexpr const char kRemovedEntriesIntro[] =
    "Entries Corvane removed, newest first. Select them and click Put back to restore them "
    "exactly.";
inline constexpr const char kNothingRemoved[] = "Nothing has been removed yet.";
inline constexpr const char kRemovedDateColumn[] = "Date";
inline constexpr const char kRemovedNameColumn[] = "Name";
inline constexpr const char kRemovedTypeColumn[] = "Type";
inline constexpr const char kRemovedLocationColumn[] = "Location";
inline constexpr const char kRemovedCommandColumn[] = "Command";
// The selected entry whole, below the list.
inline constexpr const char kRemovedLocationLine[] = "Location: ";
inline constexpr const char kRemovedCommandLine[] = "Command: ";
// A record that Corvane did not write, or that names a place its entry
// has not: listed so that it can be forgotten, never put back.
inline constexpr const char kDamagedBackup[] = "damaged";
inline constexpr const char kDamagedBackupWarning[] =
    "Corvane will not put this entry back: its backup is damaged or was not written by "
    "Corvane. Forget it to remove it from the list.";
inline constexpr const char kPutBackButton[] = "&Put back";
inline constexpr const char kForgetButton[] = "&Forget";
inline constexpr const char kPutBackTip[] = "Restore the selected entries where they were";
inline constexpr const char kForgetTip[] = "Drop the backups of the selected entries";
inline constexpr const char kForgetQuestion[] =
    "Forget this backup? The entry stays removed and can no longer be put back.";
// "%s" is the number of selected entries, more than one.
inline constexpr const char kForgetManyQuestion[] =
    "Forget these %s backups? The entries stay removed and can no longer be put back.";
// Below the list after Put back; "%s" are numbers of entries.
inline constexpr const char kPutBackOneStatus[] = "Put back 1 entry.";
inline constexpr const char kPutBackStatus[] = "Put back %s entries.";
inline constexpr const char kPutBackSomeStatus[] = "Put back %s of %s entries.";
inline constexpr const char kPutBackNoneStatus[] = "Nothing was put back.";
// Before the reason in a warning about several entries; "%s" is the entry's name.
inline constexpr const char kPutBackReasonOf[] = "%s: ";
inline constexpr const char kPlaceTakenWarning[] =
    "Corvane could not put this entry back: its place now holds something else.";
inline constexpr const char kPutBackDeniedWarning[] =
    "Corvane could not put this entry back: your account may not change this place. "
    "Try again as an administrator.";
inline constexpr const char kPutBackFailedWarning[] =
    "Corvane could not put this entry back: the backup could not be read or the item could "
    "not be written.";
// The main window's menu bar and the tray menu.
inline constexpr const char kRemovedMenu[] = "&Removed";
inline constexpr const char kRemovedEntriesItem[] = "Removed &entries...";

// ---- The Startup entries window, the export and the command line ----
// (startup entries window)
inline constexpr const char kStartupEntriesCaption[] = "Corvane - Startup entries";
inline constexpr const char kStartupMenu[] = "&Startup";
inline constexpr const char kStartupEntriesItem[] = "&Startup entries...";
inline constexpr const char kEntryColumn[] = "Entry";
inline constexpr const char kTypeColumn[] = "Type";
inline constexpr const char kLocationColumn[] = "Location";
inline constexpr const char kCommandColumn[] = "Command";
inline constexpr const char kPublisherColumn[] = "Publisher";
inline constexpr const char kSignatureColumn[] = "Signature";
inline constexpr const char kStatusColumn[] = "Status";
inline constexpr const char kFirstSeenColumn[] = "First seen";
inline constexpr const char kDetailsSeparator[] = ": ";
inline constexpr const char kProgramDetail[] = "Program file: ";
inline constexpr const char kSearchLabel[] = "Search:";
inline constexpr const char kHideWindowsOwnBox[] = "&Hide Windows' own entries";
inline constexpr const char kDisableButton[] = "&Disable";
inline constexpr const char kEnableButton[] = "E&nable";
inline constexpr const char kRemoveButton[] = "&Remove";
inline constexpr const char kExportButton[] = "E&xport...";
inline constexpr const char kRemovedEntriesButton[] = "Removed &entries...";
inline constexpr const char kOpenFileLocationItem[] = "Open file &location";
inline constexpr const char kSearchOnlineItem[] = "Search &online";
inline constexpr const char kCopyDetailsItem[] = "&Copy details";
inline constexpr const char kPropertiesItem[] = "P&roperties";
inline constexpr const char kDisableTip[] =
    "Keep Windows from starting the selected entries, as Task Manager does; Enable undoes it";
inline constexpr const char kRemoveTip[] =
    "Remove the selected entries after a backup; Removed entries can put them back";
// Below the list; "%s" are numbers.
inline constexpr const char kShownStatus[] = "%s of %s entries shown.";
inline constexpr const char kCheckingStatus[] = " Checking signatures...";
inline constexpr const char kRemovedStatus[] = "Removed %s of %s entries.";
inline constexpr const char kSwitchedStatus[] = "Changed %s of %s entries.";
// "%s" is the entry's name; "%s" in the second the number of entries.
inline constexpr const char kRemoveQuestion[] =
    "Remove %s? Corvane keeps a backup first, and Removed entries can put it back.";
inline constexpr const char kRemoveManyQuestion[] =
    "Remove these %s entries? Corvane keeps a backup of each first, and Removed entries can "
    "put them back.";
inline constexpr const char kListNotRemovedWarning[] =
    "Some of the selected entries could not be removed. They are still in place.";
inline constexpr const char kNotSwitchedWarning[] =
    "Corvane could not change whether Windows starts these entries: your account may not "
    "change their place. Try again as an administrator.";
inline constexpr const char kWaitForAlertWarning[] =
    "Corvane is asking about a new entry. Answer it first, then try again.";
// The search engine that "Search online" opens; "%s" is the file name, escaped.
inline constexpr const char kSearchOnlineAddress[] = "https://www.bing.com/search?q=%s";
inline constexpr const char kShellExplore[] = "explorer.exe";
inline constexpr const char kShellSelectSwitch[] = "/select,";
inline constexpr const char kShellProperties[] = "properties";
inline constexpr const char kExportFilter[] =
    "CSV file (*.csv)|*.csv|JSON file (*.json)|*.json|";
inline constexpr const char kExportCopySuffix[] = ".new";
inline constexpr const char kExportDefaultName[] = "startup-entries.csv";
// "%s" is the number, then the file.
inline constexpr const char kExportedStatus[] = "Exported %s entries to %s.";
inline constexpr const char kExportFailed[] = "Corvane could not write %s.";
// The command line: corvane.exe /export <file>, corvane.exe /?.
inline constexpr const char kExportSwitch[] = "/export";
inline constexpr const char kHelpSwitch[] = "/?";
inline constexpr const char kUsage[] =
    "Corvane watches the places from which Windows starts programs by itself.\r\n"
    "\r\n"
    "corvane.exe                  Starts Corvane in the notification area.\r\n"
    "corvane.exe /export <file>   Writes every startup entry to the file and ends:\r\n"
    "                             CSV for a name ending in .csv, JSON for .json.\r\n"
    "corvane.exe /?               Shows this text.\r\n"
    "\r\n"
    "Exit codes: 0 done, 2 a bad argument, 3 the file could not be written.\r\n";
inline constexpr const char kUnknownSwitch[] = "Unknown argument: %s. Try corvane.exe /?";
inline constexpr const char kExportNeedsFile[] =
    "/export needs a file name ending in .csv or .json.";

// ---- Blacklist notices and the editor's additions ----
// (blacklist)
// The tray icon's notice after a blacklisted value was met; "%s" is its name.
inline constexpr const char kBlacklistRemovedNotice[] = "Corvane removed %s (blacklisted)";
inline constexpr const char kBlacklistNotRemovedNotice[] =
    "Corvane could not remove %s (blacklisted)";
// A cycle that met more than one tells how many in one notice; "%s" is the
// number. One that both removed and could not remove has a line for each.
inline constexpr const char kBlacklistRemovedCountNotice[] =
    "Corvane removed %s blacklisted entries";
inline constexpr const char kBlacklistNotRemovedCountNotice[] =
    "Corvane could not remove %s blacklisted entries";
inline constexpr const char kNoticeLineBreak[] = "\n";
// When the blacklist last matched each name, beside the blacklist; a new copy
// is written under this suffix, then put in the file's place.
inline constexpr const char kBlacklistMatchesFile[] = "blacklist-matches";
inline constexpr const char kBlacklistMatchesCopySuffix[] = ".new";
// The editor: a name typed in the box is added to the list by Add; a name
// matched lately shows its last match after it ("%s" is YYYY-MM-DD).
inline constexpr const char kAddButton[] = "Add";
inline constexpr const char kAddEntryTip[] = "Add the name typed in the box";
inline constexpr const char kMatchedOn[] = "   (matched %s)";

// ---- Many entries removed in one cycle ----
// (removal progress)
// Shown in the alert's place while a cycle removes entries without asking;
// "%s" is how many of the cycle's entries are done, then how many it has.
inline constexpr const char kRemovalProgress[] = "Removing %s of %s entries...";
// Between groups of three digits of a number the user reads ("10,000").
inline constexpr const char kThousandsSeparator[] = ",";

// ---- The baseline kept across restarts ----
// (saved baseline)
inline constexpr const char kSavedBaselineFile[] = "baseline";
// Appended to the saved baseline's path for the copy that replaces it.
inline constexpr const char kSavedBaselineCopySuffix[] = ".new";
inline constexpr const char kSavedBaselineUnreadable[] = "The saved list of startup entries cannot be read";
inline constexpr const char kSavedBaselineNotChecked[] =
    "Corvane could not check what was added while it was not running: its saved list is "
    "missing or was changed";
inline constexpr const char kSavedBaselineNotWritten[] =
    "Corvane could not save its list of startup entries to %s. Entries added while Corvane is "
    "not running will not be noticed when it starts again.";

// ---- The Windows platform layer ----
// The throw-away file that tells whether a folder takes new files; "%s" is
// made unique for each try.
inline constexpr const char kWriteProbeFile[] = "corvane-%s.probe";

}  // namespace corvane::texts
