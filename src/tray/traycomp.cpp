// The component's life, its properties and its dealings with the shell.
#include "tray/traycomp.h"

#include <algorithm>
#include <cwchar>

#include "platform/win32/wide.h"

namespace corvane {
namespace {

constexpr char kKernelModule[] = "kernel32.dll";
constexpr char kControlsModule[] = "comctl32.dll";
constexpr char kLoadIconMetric[] = "LoadIconMetric";
using LoadIconMetricEntry = HRESULT(WINAPI*)(HINSTANCE instance, const wchar_t* name, int metric,
                                             HICON* icon);
constexpr int kSmallMetric = 0;  // LIM_SMALL
constexpr char kUserModule[] = "user32.dll";
constexpr char kChangeWindowMessageFilterEx[] = "ChangeWindowMessageFilterEx";
using ChangeWindowMessageFilterExEntry = BOOL(WINAPI*)(HWND window, UINT message, DWORD action,
                                                       void* status);
constexpr DWORD kAllowMessage = 1;  // MSGFLT_ALLOW
constexpr char kRegisterServiceProcess[] = "RegisterServiceProcess";
using RegisterServiceProcessEntry = DWORD(WINAPI*)(DWORD process_id, DWORD type);
constexpr DWORD kRegisterAsService = 1;
constexpr DWORD kUnregisterAsService = 0;

bool IsLeadSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Copies as much of the text as the room takes before its closing zero,
// never half of a surrogate pair.
void CopyCut(const std::string& text, wchar_t* room, std::size_t units) {
  const std::wstring wide = win32::Wide(text);
  std::size_t length = std::min(wide.size(), units - 1);
  if (length < wide.size() && length > 0 && IsLeadSurrogate(wide[length - 1])) --length;
  std::wmemcpy(room, wide.data(), length);
  room[length] = L'\0';
}

}  // namespace

TTrayComp::TTrayComp(TrayOwner& owner, TraySystem& system) : owner_(owner), system_(system) {}

TTrayComp::~TTrayComp() {
  UnhookOwnerWindow();
  if (show_icon_) DeleteIcon();
}

void TTrayComp::Loaded() {
  owner_window_ = owner_.Handle();
  // A program started minimized is taken as one the user did not want.
  if (IsIconic(owner_window_) && !run_minimized_) owner_.TerminateApplication();
  HookOwnerWindow();
  AllowTaskbarCreated();
  if (!show_form_) {
    owner_.SetVisible(false);
    owner_.SetShowMainForm(false);
  }
}

void TTrayComp::AllowTaskbarCreated() {
  // A program started elevated (by an installer, say) hears Explorer's
  // broadcast only when it lets it through; Windows 7 and later have the call.
  const HMODULE user = system_.ModuleHandle(kUserModule);
  const FARPROC entry =
      user != nullptr ? system_.ProcAddress(user, kChangeWindowMessageFilterEx) : nullptr;
  if (entry == nullptr) return;
  const auto allow =
      reinterpret_cast<ChangeWindowMessageFilterExEntry>(reinterpret_cast<void (*)()>(entry));
  allow(owner_window_, taskbar_created_, kAllowMessage, nullptr);
}

void TTrayComp::SetHideApp(bool value) {
  hide_app_ = value;
  RegisterServiceProcess();
}

void TTrayComp::RegisterServiceProcess() {
  if (kernel_module_ == nullptr) kernel_module_ = system_.ModuleHandle(kKernelModule);
  if (kernel_module_ == nullptr) return;
  const FARPROC entry = system_.ProcAddress(kernel_module_, kRegisterServiceProcess);
  // Only Windows 95/98/ME have it; the NT family keeps every process in its task list.
  if (entry == nullptr) {
    hide_app_ = false;
    return;
  }
  // Through a generic function pointer, which may be cast to any other.
  const auto register_service = reinterpret_cast<RegisterServiceProcessEntry>(
      reinterpret_cast<void (*)()>(entry));
  register_service(GetCurrentProcessId(), hide_app_ ? kRegisterAsService : kUnregisterAsService);
}

void TTrayComp::SetShowForm(bool value) {
  // Before load completion there is no owner window, and nothing to show.
  if (owner_window_ != nullptr) ShowWindow(owner_window_, value ? SW_SHOW : SW_HIDE);
  // Hiding leaves the flag alone: only load completion clears it.
  if (value && !owner_.Visible()) owner_.SetVisible(true);
  show_form_ = value;
  HideTaskbarButton();
}

void TTrayComp::SetShowInTaskBar(bool value) {
  show_in_taskbar_ = value;
  HideTaskbarButton();
}

void TTrayComp::HideTaskbarButton() {
  if (show_in_taskbar_) return;
  const HWND window = owner_.ApplicationWindow();
  if (window != nullptr) ShowWindow(window, SW_HIDE);
}

void TTrayComp::SetShowIcon(bool value) {
  // Asked again even when nothing changes: the shell may have lost the icon.
  if (value) {
    AddIcon();
  } else {
    DeleteIcon();
  }
  show_icon_ = value;
}

void TTrayComp::SetIcon(HICON icon) {
  if (icon != nullptr && icon == icon_.get()) return;
  icon_ = win32::IconHandle(icon != nullptr ? CopyIcon(icon) : nullptr);
  ModifyIcon();
}

win32::IconHandle TTrayComp::LoadSmallIcon(HINSTANCE instance, const wchar_t* name) {
  // Only comctl32 6 of Windows Vista and later has it; the manifest loads that one.
  const HMODULE controls = system_.ModuleHandle(kControlsModule);
  const FARPROC entry =
      controls != nullptr ? system_.ProcAddress(controls, kLoadIconMetric) : nullptr;
  if (entry != nullptr) {
    const auto load = reinterpret_cast<LoadIconMetricEntry>(reinterpret_cast<void (*)()>(entry));
    HICON icon = nullptr;
    if (SUCCEEDED(load(instance, name, kSmallMetric, &icon))) return win32::IconHandle(icon);
  }
  return win32::IconHandle(
      static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0)));
}

void TTrayComp::SetToolTip(const std::string& value) {
  tool_tip_ = FirstCharacters(value, kMaxToolTipLength);
  ModifyIcon();
}

void TTrayComp::FillIconData() {
  icon_data_ = NOTIFYICONDATAW{};
  icon_data_.cbSize = kIconDataSize;
  icon_data_.hWnd = owner_.Handle();
  icon_data_.uID = 0;
  icon_data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | kShowTipFlag;
  icon_data_.uCallbackMessage = kTrayCallbackMessage;
  icon_data_.hIcon = icon_.get();
  // The record is longer than its first layout, whose tip is shorter.
  CopyCut(tool_tip_, icon_data_.szTip, kIconDataTipUnits);
}

bool TTrayComp::AddIcon() {
  FillIconData();
  const bool added = system_.NotifyIcon(NIM_ADD, &icon_data_) != FALSE;
  icon_data_.uVersion = kNotifyIconVersion4;
  version_4_ = added && system_.NotifyIcon(NIM_SETVERSION, &icon_data_) != FALSE;
  // While a layout is read, the icon comes before its tip; the refresh is
  // posted, so it arrives after loading and sends the finished image and tip.
  if (tool_tip_.empty()) PostMessageW(owner_.Handle(), kTipRefreshMessage, 0, 0);
  return added;
}

bool TTrayComp::ModifyIcon() {
  FillIconData();
  if (!show_icon_) return true;
  return system_.NotifyIcon(NIM_MODIFY, &icon_data_) != FALSE;
}

bool TTrayComp::ShowBalloon(const std::string& title, const std::string& text) {
  if (!show_icon_) return false;
  // A record of its own: the icon's keeps the layout that its delete sends.
  NOTIFYICONDATAW balloon{};
  balloon.cbSize = kBalloonDataSize;
  balloon.hWnd = owner_.Handle();
  balloon.uID = 0;
  balloon.uFlags = NIF_INFO;
  balloon.uTimeout = kBalloonMilliseconds;
  balloon.dwInfoFlags = NIIF_INFO;
  static_assert(sizeof balloon.szInfo / sizeof(wchar_t) == kBalloonTextUnits &&
                sizeof balloon.szInfoTitle / sizeof(wchar_t) == kBalloonTitleUnits);
  CopyCut(text, balloon.szInfo, kBalloonTextUnits);
  CopyCut(title, balloon.szInfoTitle, kBalloonTitleUnits);
  return system_.NotifyIcon(NIM_MODIFY, &balloon) != FALSE;
}

bool TTrayComp::DeleteIcon() { return system_.NotifyIcon(NIM_DELETE, &icon_data_) != FALSE; }

}  // namespace corvane
