// The main window: the options window, and the owner of the tray icon, the
// poll timer and the menus. It stays hidden while the program watches.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/settings.h"
#include "changes/cycle_context.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "changes/unit5.h"
#include "changes/unit6.h"
#include "platform/row_selection.h"
#include "platform/win32/framework/form.h"
#include "platform/win32/framework/form_timer.h"
#include "tray/form_tray_owner.h"
#include "tray/traycomp.h"

namespace corvane {

// Program-wide parts that the main window works with.
struct MainWindowParts {
  Platform& platform;
  const DataFiles& data;
  ProfileFile& profile;
  MessageBoxes& boxes;
  const Clock& clock;
  EntryTables& tables;
  BaselineFile* saved_baseline = nullptr;  // where the baseline is kept between runs
  // Asks Windows again for the changes of the watched places that signaled;
  // run before every scan of a tick.
  std::function<void()> watch_again = nullptr;
  // Type codes of the rows that no watched place tells the changes of: they
  // are rescanned with every change.
  std::string unsignaled_rows = {};
};

class TForm1 : public SettingsWindow, public AreaSwitches, public Notifications {
 public:
  // Loads the layout, configures the tray icon, then runs FormCreate.
  TForm1(win32::Application& application, const MainWindowParts& parts);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // For a second start in the same session: asks the main window of the
  // copy that runs already to come forward, which it does only while its
  // options window is shown.
  static void BringRunningForward();

  // The windows made after this one, which its commands and cycles show.
  void Attach(AlertView& alert, TForm3& blacklist_editor, TForm4& log_viewer,
              TForm5& removed_entries, TForm6& startup_entries, Progress& removal_progress);

  HWND handle() const { return form_.handle(); }

  void FormCreate();
  void FormActivate() {}
  // Scans the rows (every row at the periodic tick) and handles what is new.
  void Timer1Timer(const RowSelection& rows);
  // Windows signaled a change at a watched place that those rows read: a
  // cycle for them after the quiet time.
  void WatchedPlaceChanged(const RowSelection& rows);
  void BitBtn1Click();  // Save
  void BitBtn2Click();  // Cancel
  void Restore2Click();
  void Exit1Click();
  void Edit1Click();
  void OnlineHelp1Click();
  void VisitHomePage1Click();
  void ViewLogfile1Click();
  // From the tray menu and from the window's menu bar.
  void RemovedEntriesClick();
  void StartupEntriesClick();
  void Label2Click();
  // The pointer: the hand over the maker's name, the arrow over the window's
  // background. Other controls keep their own pointer, so the hand never
  // stays behind when the pointer leaves the name.
  void Label2MouseMove();
  void FormMouseMove();

  // SettingsWindow
  void SetCaption(const std::string& caption) override;
  Options CheckedOptions() const override;
  void SetCheckedOptions(const Options& options) override;
  void SetCancelEnabled(bool enabled) override;
  void SetShowForm(bool show) override { TrayComp1.SetShowForm(show); }

  // AreaSwitches: the check boxes as they stand now.
  bool MonitorRegistryKeys() const override;
  bool MonitorStartupFolders() const override;
  bool MonitorServices() const override;
  bool MonitorIniFiles() const override;
  bool MonitorIeObjects() const override;
  bool MonitorScheduledTasks() const override;

  // Notifications: a balloon from the notification-area icon.
  void Notify(const std::string& text) override;

 private:
  void ConfigureTrayIcon();
  void ConnectHandlers();
  void AnswerLaterStarts();
  void KeepBaselineForNextStart();
  void OpenInShell(const std::string& document);
  SettingsContext Settings();

  win32::Application& application_;
  MainWindowParts parts_;
  win32::Form form_;
  win32::MenuHandle PopupMenu1;
  FormTrayOwner tray_owner_;
  // After the form and its owner, so that it gives the window back first.
  TTrayComp TrayComp1;
  win32::FormTimer Timer1;
  // Made once the alert exists; lives as long as the window, so that a tick
  // can tell that a cycle is still waiting in one of its dialogs.
  std::optional<CycleContext> cycle_;
  // The rows of ticks that came while a cycle waited for the user, which
  // that cycle never scanned: rescanned once it is over.
  RowSelection missed_;
  TForm3* blacklist_editor_ = nullptr;
  TForm4* log_viewer_ = nullptr;
  TForm5* removed_entries_ = nullptr;
  TForm6* startup_entries_ = nullptr;
};

}  // namespace corvane
