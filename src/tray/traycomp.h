// TTrayComp gives a form a life in the notification area: one icon with a
// tool tip, the icon's mouse messages turned into events or default actions
// (bring the form forward, show the tray menu), no taskbar button, and a
// minimize button that hides the form. It has no window of its own: once
// loaded it takes over the owner form's window procedure, and the
// notification area sends its messages to that window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "platform/win32/framework/gui_handles.h"
#include "tray/tray_owner.h"
#include "tray/tray_system.h"

namespace corvane {

// Sent by the notification area to the owner window; the low word of lParam
// is what happened over the icon (a mouse message, or with the fourth
// version NIN_SELECT, NIN_KEYSELECT or WM_CONTEXTMENU, wParam then holding
// the anchor point on the screen).
inline constexpr UINT kTrayCallbackMessage = WM_USER + 59;
// Posted by the component to the owner window: apply the tool tip again.
inline constexpr UINT kTipRefreshMessage = WM_USER + 61;
// Longer tool tips are cut to this many characters (not bytes, nor UTF-16 units).
inline constexpr std::size_t kMaxToolTipLength = 62;
// The icon's record: the XP layout, which carries the version that
// NIM_SETVERSION asks for. The tip keeps the room of the first layout (the
// closing zero included), which every shell shows whole.
inline constexpr DWORD kIconDataSize = sizeof(NOTIFYICONDATAW);
inline constexpr std::size_t kIconDataTipUnits = 64;
static_assert(kIconDataSize == NOTIFYICONDATAW_V2_SIZE + sizeof(GUID),
              "the record ends with the XP layout's guidItem");
// Windows Vista's callback version (NOTIFYICON_VERSION_4): keyboard selection,
// WM_CONTEXTMENU with its anchor point. With it, the tip shows only with
// NIF_SHOWTIP. Older shells refuse the version and keep the mouse messages.
inline constexpr UINT kNotifyIconVersion4 = 4;
inline constexpr UINT kShowTipFlag = 0x80;
// A balloon needs the second layout, which adds its text and title (the
// closing zero included in their room).
inline constexpr DWORD kBalloonDataSize = NOTIFYICONDATAW_V2_SIZE;
inline constexpr std::size_t kBalloonTextUnits = 256;
inline constexpr std::size_t kBalloonTitleUnits = 64;
// How long the shell is asked to show a balloon; today's shells decide themselves.
inline constexpr UINT kBalloonMilliseconds = 10000;

class TTrayComp {
 public:
  using NotifyEvent = std::function<void(TTrayComp& sender)>;
  // Always the right button with no shift keys; x and y are the pointer's
  // position on the screen.
  using RightClickEvent = std::function<void(TTrayComp& sender, int x, int y)>;

  // Nothing reaches the notification area yet: setting ShowIcon adds the icon.
  explicit TTrayComp(TrayOwner& owner, TraySystem& system = DefaultTraySystem());
  // Gives the owner window its own procedure back, then removes the icon.
  ~TTrayComp();
  TTrayComp(const TTrayComp&) = delete;
  TTrayComp& operator=(const TTrayComp&) = delete;

  // Load completion, called once by the owner after it has set the initial
  // properties: takes over the owner window and, unless ShowForm, keeps the
  // form hidden at start. Until then the icon's clicks go unanswered.
  void Loaded();

  // True asks the system to register the process as a service process,
  // which only Windows 95/98/ME can; elsewhere it reads false afterwards.
  bool HideApp() const { return hide_app_; }
  void SetHideApp(bool value);

  // Shows or hides the owner form; the taskbar button stays hidden.
  bool ShowForm() const { return show_form_; }
  void SetShowForm(bool value);

  // False keeps the application's taskbar button hidden and makes the
  // minimize button hide the form.
  bool ShowInTaskBar() const { return show_in_taskbar_; }
  void SetShowInTaskBar(bool value);

  // False ends the program when its form is already minimized at load.
  bool RunMinimized() const { return run_minimized_; }
  void SetRunMinimized(bool value) { run_minimized_ = value; }

  // Adds (true) or removes (false) the icon; each call asks the shell again.
  bool ShowIcon() const { return show_icon_; }
  void SetShowIcon(bool value);

  // The image in the notification area, owned by the component; null while empty.
  HICON Icon() const { return icon_.get(); }
  // Copies the image and shows it; the component's own icon changes nothing.
  void SetIcon(HICON icon);
  // The small icon of a resource, drawn for the notification area at the
  // current scale (LoadIconMetric) where comctl32 has it, else the small
  // system size; null when the resource has no icon.
  win32::IconHandle LoadSmallIcon(HINSTANCE instance, const wchar_t* name);
  // Takes the image as reading a form layout does: the shell hears of it
  // with the next change of the icon or tool tip.
  void LoadIconImage(win32::IconHandle icon) { icon_ = std::move(icon); }

  const std::string& ToolTip() const { return tool_tip_; }
  // Cut to kMaxToolTipLength characters. The record has room for 63 UTF-16
  // units, so a tip with characters beyond the BMP may reach the shell
  // shorter still, but never with half a character.
  void SetToolTip(const std::string& value);

  // A short notice from the icon, with the information icon: the shell shows
  // it for a while and lets it go, so nothing waits for it. Texts too long
  // for the record are cut, never inside a character. Nothing is shown while
  // the icon is not; false when the shell did not take it.
  bool ShowBalloon(const std::string& title, const std::string& text);

  // Shown at the pointer on a right click; not owned, may be null. Its
  // commands reach the owner window as WM_COMMAND.
  HMENU PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(HMENU menu) { popup_menu_ = menu; }

  // Whether a click with no handler brings the form forward while ShowForm is true.
  bool DefRClick() const { return def_rclick_; }
  void SetDefRClick(bool value) { def_rclick_ = value; }
  bool DefLClick() const { return def_lclick_; }
  void SetDefLClick(bool value) { def_lclick_ = value; }

  // A left click (or a selection by keyboard) handler replaces the default
  // action; a right click (or context menu key) handler runs before the
  // popup menu and gets the menu's anchor point.
  const NotifyEvent& OnLeftClick() const { return on_left_click_; }
  void SetOnLeftClick(NotifyEvent handler) { on_left_click_ = std::move(handler); }
  const RightClickEvent& OnRightClick() const { return on_right_click_; }
  void SetOnRightClick(RightClickEvent handler) { on_right_click_ = std::move(handler); }
  const NotifyEvent& OnMouseMove() const { return on_mouse_move_; }
  void SetOnMouseMove(NotifyEvent handler) { on_mouse_move_ = std::move(handler); }

 private:
  // A message as the owner window procedure handles it; Result is what the
  // window procedure returns.
  struct Message {
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;
  };

  void FillIconData();
  bool AddIcon();
  bool ModifyIcon();
  bool DeleteIcon();
  void HideTaskbarButton();
  void RegisterServiceProcess();
  void HookOwnerWindow();
  void AllowTaskbarCreated();
  void UnhookOwnerWindow();
  void OwnerWindowProc(Message& message);
  void PassOn(Message& message);
  void IconEvent(UINT event, WPARAM anchor);
  void DoLeftClick();
  void DoRightClick(POINT at);
  void DoMouseMove();
  void BringOwnerForward();

  // Finds the component of a hooked window and hands it the message.
  static LRESULT CALLBACK HookedWindowProcedure(HWND window, UINT msg, WPARAM wparam,
                                                LPARAM lparam);

  TrayOwner& owner_;
  TraySystem& system_;
  HWND owner_window_ = nullptr;  // taken at load completion
  HMODULE kernel_module_ = nullptr;  // looked up the first time HideApp is set
  bool hide_app_ = true;
  bool show_form_ = true;
  bool show_in_taskbar_ = false;
  bool run_minimized_ = false;
  WNDPROC saved_procedure_ = nullptr;  // the owner window's own, while hooked
  WNDPROC own_procedure_ = nullptr;    // the one installed, while hooked
  NOTIFYICONDATAW icon_data_{};        // as last filled; the delete sends it unchanged
  win32::IconHandle icon_;
  std::string tool_tip_;
  bool show_icon_ = true;
  // Whether the shell took the fourth version at the last add: it then sends
  // the selection and context menu events instead of the button ups.
  bool version_4_ = false;
  // Broadcast by Explorer when it starts again with an empty notification area.
  UINT taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  HMENU popup_menu_ = nullptr;
  bool def_rclick_ = false;
  bool def_lclick_ = true;
  NotifyEvent on_left_click_;
  RightClickEvent on_right_click_;
  NotifyEvent on_mouse_move_;
};

}  // namespace corvane
