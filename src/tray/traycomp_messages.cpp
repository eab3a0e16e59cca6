// The owner window's messages while the component has taken them over,
// and the icon's mouse actions.
#include "tray/traycomp.h"

#include "platform/win32/framework/menus.h"

namespace corvane {
namespace {

// The window property that leads from the owner window to its component;
// the form keeps its own object in the window's user data.
constexpr wchar_t kComponentProperty[] = L"Corvane.TTrayComp";

}  // namespace

void TTrayComp::HookOwnerWindow() {
  // Hooked twice, the component would keep itself as the window's own
  // procedure and hand every message on to itself forever.
  if (owner_window_ == nullptr || own_procedure_ != nullptr) return;
  SetPropW(owner_window_, kComponentProperty, this);
  saved_procedure_ =
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(owner_window_, GWLP_WNDPROC));
  own_procedure_ = &TTrayComp::HookedWindowProcedure;
  SetWindowLongPtrW(owner_window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own_procedure_));
}

void TTrayComp::UnhookOwnerWindow() {
  if (owner_window_ != nullptr && saved_procedure_ != nullptr) {
    SetWindowLongPtrW(owner_window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_procedure_));
  }
  if (own_procedure_ != nullptr) RemovePropW(owner_window_, kComponentProperty);
  saved_procedure_ = nullptr;
  own_procedure_ = nullptr;
}

LRESULT CALLBACK TTrayComp::HookedWindowProcedure(HWND window, UINT msg, WPARAM wparam,
                                                  LPARAM lparam) {
  auto* component = static_cast<TTrayComp*>(GetPropW(window, kComponentProperty));
  if (component == nullptr) return DefWindowProcW(window, msg, wparam, lparam);
  Message message{msg, wparam, lparam, 0};
  component->OwnerWindowProc(message);
  return message.result;
}

void TTrayComp::OwnerWindowProc(Message& message) {
  switch (message.msg) {
    case WM_ACTIVATE:
      if (LOWORD(message.wparam) != WA_INACTIVE) HideTaskbarButton();
      break;
    case WM_SYSCOMMAND:
      // SC_MINIMIZE exactly: the other values of its group pass unchanged.
      if (message.wparam == SC_MINIMIZE && !show_in_taskbar_) {
        // Hidden instead of minimized onto the taskbar. The form hears of
        // it only as its window being hidden: ShowWindow sends it the
        // WM_SHOWWINDOW that default handling would not act on.
        ShowWindow(owner_window_, SW_HIDE);
        message.result = 0;
        return;
      }
      break;
    case kTrayCallbackMessage:
      IconEvent(LOWORD(message.lparam), message.wparam);
      return;
    case kTipRefreshMessage:
      SetToolTip(tool_tip_);
      return;
    default:
      // Explorer started again: our icon is gone from its notification area.
      if (message.msg == taskbar_created_ && show_icon_) AddIcon();
      break;
  }
  PassOn(message);
}

void TTrayComp::IconEvent(UINT event, WPARAM anchor) {
  // The fourth version sends the button ups as well: answering both would act twice.
  switch (event) {
    case WM_MOUSEMOVE:
      DoMouseMove();
      break;
    case WM_LBUTTONUP:
      if (!version_4_) DoLeftClick();
      break;
    case NIN_SELECT:
    case NIN_KEYSELECT:
      if (version_4_) DoLeftClick();
      break;
    case WM_RBUTTONUP:
      if (!version_4_) {
        POINT at{};
        GetCursorPos(&at);
        DoRightClick(at);
      }
      break;
    case WM_CONTEXTMENU:
      // Where the menu belongs also when it was asked for by keyboard.
      if (version_4_) {
        DoRightClick(POINT{static_cast<short>(LOWORD(anchor)), static_cast<short>(HIWORD(anchor))});
      }
      break;
    default:
      break;
  }
}

void TTrayComp::PassOn(Message& message) {
  message.result = CallWindowProcW(saved_procedure_, owner_window_, message.msg, message.wparam,
                                   message.lparam);
}

void TTrayComp::DoLeftClick() {
  if (on_left_click_) {
    owner_.RunHandler([this] { on_left_click_(*this); });
    return;
  }
  if (def_lclick_ && show_form_) BringOwnerForward();
}

void TTrayComp::DoRightClick(POINT at) {
  if (on_right_click_) {
    owner_.RunHandler([this, at] { on_right_click_(*this, at.x, at.y); });
  } else if (def_rclick_ && show_form_) {
    BringOwnerForward();
  }
  if (popup_menu_ == nullptr) return;
  // TrackPopup makes the owner window the foreground window first, or the
  // menu would stay open when the user clicks elsewhere.
  const int command = win32::TrackPopup(owner_window_, popup_menu_, at);
  // Posted: a command such as Exit may end the owner window, which must not
  // happen while this procedure still runs for it.
  if (command != 0) PostMessageW(owner_window_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TTrayComp::DoMouseMove() {
  if (on_mouse_move_) owner_.RunHandler([this] { on_mouse_move_(*this); });
}

void TTrayComp::BringOwnerForward() {
  ShowWindow(owner_window_, SW_SHOW);
  // Not merely the active window: that would stay behind the window the
  // user is working in. The click on the icon lets us take the foreground.
  SetForegroundWindow(owner_window_);
}

}  // namespace corvane
