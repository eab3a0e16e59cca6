#include "app/unit1.h"

#include <shellapi.h>

#include <utility>

#include "app/resources.h"
#include "changes/poll_cycle.h"
#include "platform/errors.h"
#include "platform/win32/framework/layout.h"
#include "platform/win32/framework/menus.h"
#include "platform/win32/framework/question_box.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {

namespace {

using namespace win32;

constexpr unsigned kPollInterval = 10000;  // ms
constexpr UINT_PTR kTimer1 = 1;
// After a change, so that a burst of writes (an installer's) gives one cycle.
// Short, since that cycle scans only the rows of the places that changed.
constexpr unsigned kQuietTime = 100;  // ms
constexpr UINT_PTR kQuietTimer1 = 2;

// Menu commands.
enum : int {
  kRestore2 = 101,
  kExit1,
  kEdit1,
  kOnlineHelp1,
  kVisitHomePage1,
  kViewLogfile1,
  kRemovedEntries1,
  kRemovedEntries2,
  kStartupEntries1,
  kStartupEntries2,
};

// Marks the main window, so that a second start finds it among the windows
// of the session.
constexpr wchar_t kMainWindowProperty[] = L"Halvorn.Corvane.MainWindow";
// Posted by a second start to the main window of the running copy.
constexpr wchar_t kBringForwardMessage[] = L"Halvorn.Corvane.BringForward";

UINT BringForwardMessage() { return RegisterWindowMessageW(kBringForwardMessage); }

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id == GetCurrentProcessId() || GetPropW(window, kMainWindowProperty) == nullptr) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr ControlLayout kLayout[] = {
    Make(ControlKind::kLabel, "Label1", 44, 2, 158, 33, texts::kMainTitleLabel)
        .Font(kDialogFont.Face("Comic Sans MS", -24).Color(kNavy)),
    Make(ControlKind::kLabel, "Label2", 47, 40, 152, 16, texts::kMakerLabel)
        .Font(kDialogFont.Height(-13).Bold().Underline().Color(kBlack))
        .Hint(texts::kVisitWebSite),
    CheckBox("CheckBox5", 24, 80, 193, 17, texts::kAutorunOption).Checked().TabOrder(0),
    CheckBox("CheckBox1", 48, 128, 169, 17, texts::kMonitorRegistryKeys).Checked().TabOrder(1),
    CheckBox("CheckBox2", 48, 152, 161, 17, texts::kMonitorStartupFolders).Checked().TabOrder(2),
    CheckBox("CheckBox3", 48, 176, 129, 17, texts::kMonitorServices).Checked().TabOrder(3),
    CheckBox("CheckBox4", 48, 200, 137, 17, texts::kMonitorIniFiles).Checked().TabOrder(4),
    GroupBox("GroupBox1", 24, 104, 201, 177, texts::kAreasGroup).TabOrder(5),
    CheckBox("CheckBox6", 24, 120, 137, 17, texts::kMonitorIeObjects)
        .Checked()
        .Inside("GroupBox1")
        .TabOrder(0),
    CheckBox("CheckBox7", 24, 144, 161, 17, texts::kMonitorScheduledTasks)
        .Checked()
        .Inside("GroupBox1")
        .TabOrder(1),
    CheckBox("CheckBox8", 24, 296, 193, 17, texts::kKeepLogOption).TabOrder(6),
    Button("BitBtn1", 40, 328, 73, 25, texts::kSaveButton)
        .Picture(Glyph::kOk)
        .Default()
        .TabOrder(7),
    Button("BitBtn2", 136, 328, 73, 25, texts::kCancelButton)
        .Picture(Glyph::kCancel)
        .Cancel()
        .TabOrder(8),
};

// Minimise sends it to the tray; maximised, its small fixed layout would
// only float in an empty window.
constexpr FormLayout MainWindowLayout() {
  FormLayout form = Window("", 248, 372);
  form.minimize_box = true;
  return form;
}
constexpr FormLayout kMainWindow = MainWindowLayout();

const std::vector<MenuItem> kMainMenu1 = {
    {texts::kBlackListMenu, 0, {{texts::kEditItem, kEdit1, {}, false}}, false},
    {texts::kStartupMenu, 0, {{texts::kStartupEntriesItem, kStartupEntries1, {}, false}}, false},
    {texts::kRemovedMenu, 0, {{texts::kRemovedEntriesItem, kRemovedEntries1, {}, false}}, false},
    {texts::kHelpMenu,
     0,
     {{texts::kOnlineHelpItem, kOnlineHelp1, {}, false},
      {texts::kVisitWebSiteItem, kVisitHomePage1, {}, false},
      {texts::kViewLogfileItem, kViewLogfile1, {}, false}},
     false},
};

const std::vector<MenuItem> kPopupMenu1 = {
    {texts::kRestoreItem, kRestore2, {}, false},
    {texts::kStartupEntriesItem, kStartupEntries2, {}, false},
    {texts::kRemovedEntriesItem, kRemovedEntries2, {}, false},
    {nullptr, 0, {}, false},  // Restore1, the separator
    {texts::kExitItem, kExit1, {}, false},
};

}  // namespace

TForm1::TForm1(win32::Application& application, const MainWindowParts& parts)
    : application_(application),
      parts_(parts),
      form_(application, kMainWindow, kLayout),
      PopupMenu1(MakePopupMenu(kPopupMenu1)),
      tray_owner_(application, form_),
      TrayComp1(tray_owner_),
      Timer1(form_, {kTimer1, kPollInterval, kQuietTimer1, kQuietTime},
             [this](const RowSelection& rows) { Timer1Timer(rows); }) {
  form_.SetMenuBar(MakeMenuBar(kMainMenu1));
  Timer1.SetRiders(RowSelection::Only(parts_.unsignaled_rows));
  ConnectHandlers();
  // Marked before the first scan, which may take a while, so that a second
  // start meanwhile finds this window already.
  AnswerLaterStarts();
  ConfigureTrayIcon();
  FormCreate();
}

TForm1::~TForm1() { RemovePropW(form_.handle(), kMainWindowProperty); }

void TForm1::ConfigureTrayIcon() {
  // In the order in which the window's layout sets them. The window has the
  // program icon from the application already; the notification area shows
  // the small size for its scale, drawn for it, not the big one scaled down.
  TrayComp1.SetHideApp(true);
  TrayComp1.SetShowForm(false);
  TrayComp1.SetShowIcon(true);
  TrayComp1.LoadIconImage(
      TrayComp1.LoadSmallIcon(application_.instance(), MAKEINTRESOURCEW(IDI_CORVANE)));
  TrayComp1.SetToolTip(texts::kTrayToolTip);
  TrayComp1.SetPopupMenu(PopupMenu1.get());
  TrayComp1.Loaded();
}

void TForm1::ConnectHandlers() {
  form_.OnActivate([this] { FormActivate(); });
  form_.OnClick("BitBtn1", [this] { BitBtn1Click(); });
  form_.OnClick("BitBtn2", [this] { BitBtn2Click(); });
  form_.OnCommand(kRestore2, [this] { Restore2Click(); });
  form_.OnCommand(kExit1, [this] { Exit1Click(); });
  form_.OnCommand(kEdit1, [this] { Edit1Click(); });
  form_.OnCommand(kOnlineHelp1, [this] { OnlineHelp1Click(); });
  form_.OnCommand(kVisitHomePage1, [this] { VisitHomePage1Click(); });
  form_.OnCommand(kViewLogfile1, [this] { ViewLogfile1Click(); });
  form_.OnCommand(kRemovedEntries1, [this] { RemovedEntriesClick(); });
  form_.OnCommand(kRemovedEntries2, [this] { RemovedEntriesClick(); });
  form_.OnCommand(kStartupEntries1, [this] { StartupEntriesClick(); });
  form_.OnCommand(kStartupEntries2, [this] { StartupEntriesClick(); });
  // Closing the main window ends the program, with the baseline kept for
  // the next start; so does the end of the Windows session.
  form_.OnClose([this] {
    KeepBaselineForNextStart();
    application_.Terminate();
  });
  form_.OnMessage(WM_ENDSESSION, [this](WPARAM ending, LPARAM, LRESULT& result) {
    if (ending) KeepBaselineForNextStart();
    result = 0;
    return true;
  });

  const HWND label2 = form_["Label2"].handle();
  form_.OnMessage(WM_COMMAND, [this, label2](WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (reinterpret_cast<HWND>(lparam) != label2 || HIWORD(wparam) != STN_CLICKED) return false;
    Label2Click();
    result = 0;
    return true;
  });
  // The maker's name is a link: the hand pointer while the pointer is on it.
  form_.OnMessage(WM_SETCURSOR, [this, label2](WPARAM wparam, LPARAM lparam, LRESULT& result) {
    const auto under = reinterpret_cast<HWND>(wparam);
    if (under == label2) {
      Label2MouseMove();
    } else if (under == form_.handle() && LOWORD(lparam) == HTCLIENT) {
      FormMouseMove();
    } else {
      return false;
    }
    result = TRUE;
    return true;
  });
}

void TForm1::KeepBaselineForNextStart() {
  if (parts_.saved_baseline == nullptr) return;
  try {
    parts_.saved_baseline->Save(*this, parts_.tables);
  } catch (const InOutError&) {
    // Reported by the cycle that first failed to write it.
  }
}

void TForm1::AnswerLaterStarts() {
  SetPropW(form_.handle(), kMainWindowProperty, form_.handle());
  form_.OnMessage(BringForwardMessage(), [this](WPARAM, LPARAM, LRESULT& result) {
    // A watch that runs hidden stays hidden: only the shown options window
    // comes forward, as a click on the icon brings it.
    if (TrayComp1.ShowForm()) form_.Show();
    result = 0;
    return true;
  });
}

void TForm1::BringRunningForward() {
  HWND running = nullptr;
  EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&running));
  if (running == nullptr) return;  // still starting, or ending
  DWORD process_id = 0;
  GetWindowThreadProcessId(running, &process_id);
  // The running copy may take the foreground only when this process, which
  // the user just started, hands it on.
  AllowSetForegroundWindow(process_id);
  PostMessageW(running, BringForwardMessage(), 0, 0);
}

void TForm1::Attach(AlertView& alert, TForm3& blacklist_editor, TForm4& log_viewer,
                    TForm5& removed_entries, TForm6& startup_entries, Progress& removal_progress) {
  cycle_.emplace(CycleContext{parts_.platform, parts_.data, *this, parts_.tables, alert, Timer1,
                              parts_.boxes, parts_.clock, *this});
  cycle_->saved_baseline = parts_.saved_baseline;
  cycle_->progress = &removal_progress;
  blacklist_editor_ = &blacklist_editor;
  log_viewer_ = &log_viewer;
  removed_entries_ = &removed_entries;
  startup_entries_ = &startup_entries;
}

SettingsContext TForm1::Settings() {
  return SettingsContext{parts_.platform,       parts_.profile, *this,
                         *this,                 parts_.tables,  Timer1,
                         parts_.saved_baseline, &parts_.boxes,  parts_.data.seal_made,
                         parts_.data.Log(),     this};
}

void TForm1::FormCreate() {
  application_.Guarded([this] {
    auto settings = Settings();
    InitializeSettings(settings);
  });
}

void TForm1::Timer1Timer(const RowSelection& rows) {
  if (parts_.watch_again) parts_.watch_again();
  if (!cycle_) return;  // none before the alert exists
  // The cycle would drop it: a cycle inside a cycle would ask twice.
  if (cycle_->running) {
    missed_.Add(rows);
    return;
  }
  RunPollCycleReportingErrors(*cycle_, rows);
  // Only a rescan for a change paces its row: the periodic scan of every row
  // must not keep a change that comes alone waiting.
  if (!rows.every()) {
    for (const auto& [row, took_ms] : parts_.tables.scan_ms) Timer1.Scanned(row, took_ms);
  }
  if (!missed_.empty()) Timer1.Soon(std::exchange(missed_, RowSelection()));
}

void TForm1::WatchedPlaceChanged(const RowSelection& rows) { Timer1.Soon(rows); }

void TForm1::BitBtn1Click() {
  auto settings = Settings();
  SaveSettings(settings);
}

void TForm1::BitBtn2Click() {
  auto settings = Settings();
  CancelSettings(settings);
}

void TForm1::Restore2Click() {
  Timer1.Stop();
  // The log's box shows whether the file is there now, whoever made or deleted it.
  form_["CheckBox8"].SetChecked(parts_.platform.files.FileExists(parts_.data.Log()));
  TrayComp1.SetShowForm(true);
}

void TForm1::Exit1Click() {
  parts_.boxes.Beep();
  if (AskYesNo(application_, texts::kExitQuestion, DefaultAnswer::kYes)) {
    PostMessageW(form_.handle(), WM_CLOSE, 0, 0);
  }
}

void TForm1::Edit1Click() {
  if (blacklist_editor_ != nullptr) blacklist_editor_->ShowModal();
}

void TForm1::ViewLogfile1Click() {
  if (log_viewer_ != nullptr) log_viewer_->ShowModal();
}

void TForm1::RemovedEntriesClick() {
  if (removed_entries_ != nullptr) removed_entries_->ShowModal();
}

void TForm1::StartupEntriesClick() {
  if (startup_entries_ != nullptr) startup_entries_->ShowModal();
}

void TForm1::OnlineHelp1Click() {
  OpenInShell(parts_.platform.files.ProgramDirectory() + texts::kHelpPage);
}

void TForm1::VisitHomePage1Click() { OpenInShell(texts::kHomePage); }

void TForm1::Label2Click() { OpenInShell(texts::kHomePage); }

void TForm1::Label2MouseMove() { SetCursor(LoadCursorW(nullptr, SystemResource(IDC_HAND))); }

void TForm1::FormMouseMove() { SetCursor(LoadCursorW(nullptr, SystemResource(IDC_ARROW))); }

void TForm1::OpenInShell(const std::string& document) {
  // What the shell makes of it is its own business; nothing is reported.
  ShellExecuteW(form_.handle(), Wide(texts::kShellOpen).c_str(), Wide(document).c_str(), nullptr,
                nullptr, SW_SHOWNORMAL);
}

void TForm1::SetCaption(const std::string& caption) { SetTextOfWindow(form_.handle(), caption); }

Options TForm1::CheckedOptions() const {
  Options options;
  options.autorun = form_["CheckBox5"].Checked();
  options.registry_keys = MonitorRegistryKeys();
  options.startup_folders = MonitorStartupFolders();
  options.services = MonitorServices();
  options.ini_files = MonitorIniFiles();
  options.scheduled_tasks = MonitorScheduledTasks();
  options.keep_log = form_["CheckBox8"].Checked();
  return options;
}

void TForm1::SetCheckedOptions(const Options& options) {
  form_["CheckBox5"].SetChecked(options.autorun);
  form_["CheckBox1"].SetChecked(options.registry_keys);
  form_["CheckBox2"].SetChecked(options.startup_folders);
  form_["CheckBox3"].SetChecked(options.services);
  form_["CheckBox4"].SetChecked(options.ini_files);
  form_["CheckBox7"].SetChecked(options.scheduled_tasks);
  form_["CheckBox8"].SetChecked(options.keep_log);
}

void TForm1::SetCancelEnabled(bool enabled) { form_["BitBtn2"].SetEnabled(enabled); }

bool TForm1::MonitorRegistryKeys() const { return form_["CheckBox1"].Checked(); }
bool TForm1::MonitorStartupFolders() const { return form_["CheckBox2"].Checked(); }
bool TForm1::MonitorServices() const { return form_["CheckBox3"].Checked(); }
bool TForm1::MonitorIniFiles() const { return form_["CheckBox4"].Checked(); }
bool TForm1::MonitorIeObjects() const { return form_["CheckBox6"].Checked(); }
bool TForm1::MonitorScheduledTasks() const { return form_["CheckBox7"].Checked(); }

void TForm1::Notify(const std::string& text) {
  // A notice the shell does not take is not worth an error box: the log has it.
  TrayComp1.ShowBalloon(texts::kApplicationTitle, text);
}

}  // namespace corvane
