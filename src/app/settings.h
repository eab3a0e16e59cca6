// The options the main window shows and the options file keeps, and what
// happens when the window is created, saved and cancelled.
#pragma once

#include <string>

#include "changes/cycle_context.h"
#include "platform/profile_file.h"

namespace corvane {

// Checked states of the main window's boxes that the options file keeps.
struct Options {
  bool autorun = true;          // CheckBox5, key "1"
  bool registry_keys = true;    // CheckBox1, key "2"
  bool startup_folders = true;  // CheckBox2, key "3"
  bool services = true;         // CheckBox3, key "4"
  bool ini_files = true;        // CheckBox4, key "5"
  bool scheduled_tasks = true;  // CheckBox7, key "7"
  // CheckBox8, kept by the log file itself rather than by the options file:
  // the log is written while it exists.
  bool keep_log = false;
};

// A stored flag read as an integer: blanks and one sign before it, "$",
// "x" or "0x" for hexadecimal; non-zero is checked, zero unchecked, and
// anything missing, empty or not a number keeps the default, checked.
bool ReadOptionFlag(const std::string& text);

// The main window as its settings handlers use it.
class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual Options CheckedOptions() const = 0;
  virtual void SetCheckedOptions(const Options& options) = 0;
  virtual void SetCancelEnabled(bool enabled) = 0;  // BitBtn2
  virtual void SetShowForm(bool show) = 0;          // ShowForm of the tray component
};

struct SettingsContext {
  Platform& platform;
  ProfileFile& profile;
  SettingsWindow& window;
  const AreaSwitches& switches;  // the window's check boxes, read by every scan
  EntryTables& tables;
  PollTimer& timer;
  // Where the baseline is kept between runs, and where a saved one that
  // cannot be read is reported; none in tests that do not keep it.
  BaselineFile* saved_baseline = nullptr;
  MessageBoxes* boxes = nullptr;
  // No run of this version kept its files in the data folder before.
  bool new_data_folder = false;
  // The log in the data folder; "" where none is kept.
  std::string log_file = {};
  // The tray icon's notices; none in tests that do not look at them.
  Notifications* notices = nullptr;
};

// The options file: corvane.ini in the Windows directory, or, once that one
// could not be written (as for a user without administrator rights), in the
// user's %APPDATA%\Corvane, which is read from then on.
struct OptionsFiles {
  std::string machine;
  std::string user;  // "" when the user has no application data folder
};
OptionsFiles LocateOptionsFiles(const Environment& environment);

// The main window's creation: caption, options into the boxes, the first
// baseline, and on a first run (no stored version) the window shown with
// Cancel disabled. An error of the scan goes up and skips the first-run test.
// The first baseline is the one saved by the last run when it was taken with
// the areas switched as now; the first cycle then comes at once, so that
// whatever was added or changed while Corvane was not running is asked about.
void InitializeSettings(SettingsContext& context);

// Save: options file, autorun value, the log file made (empty) or deleted,
// a new baseline, monitoring on, window hidden, and after the first Save of
// all a notice that points at the icon. A failure to write the options (in
// both places), the autorun value or the log file goes up and leaves the
// later steps undone. The autorun value goes
// under HKEY_LOCAL_MACHINE's Run key when that key can be written, else under
// HKEY_CURRENT_USER's; clearing the box takes it out of both.
void SaveSettings(SettingsContext& context);

// Cancel: monitoring on and window hidden; the boxes keep their states.
void CancelSettings(SettingsContext& context);

}  // namespace corvane
