// How a form answers its window messages: one member per message kind.
#include "platform/win32/framework/form.h"

namespace corvane::win32 {

LRESULT CALLBACK Form::WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Messages while the window is being made, and after the form went away.
  if (form == nullptr || !form->window_) return DefWindowProcW(window, message, wparam, lparam);
  return form->HandleMessage(message, wparam, lparam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  for (const auto& [hooked, hook] : hooks_) {
    if (hooked != message) continue;
    bool handled = false;
    LRESULT result = 0;
    Run([&] { handled = hook(wparam, lparam, result); });
    if (handled) return result;
  }
  switch (message) {
    case WM_ACTIVATE:
      // Not while minimized: a minimized window has no control to focus.
      if (HIWORD(wparam) == 0 || LOWORD(wparam) == WA_INACTIVE) {
        Activated(LOWORD(wparam) != WA_INACTIVE);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (lparam != 0) {
        Command(LOWORD(wparam), HIWORD(wparam));
      } else {
        MenuCommand(LOWORD(wparam));
      }
      return 0;
    case WM_NOTIFY:
      Notified(*reinterpret_cast<const NMHDR*>(lparam));
      break;
    case DM_GETDEFID:
      if (current_default_id_ == 0) return 0;
      return MAKELRESULT(current_default_id_, DC_HASDEFID);
    case WM_PRINTCLIENT: {
      // Themed controls have their parent paint what lies behind them.
      RECT client;
      GetClientRect(handle(), &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColors(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_GETMINMAXINFO:
      if (layout_.sizeable) {
        // The layout's client size (fitted and at the screen's DPI) is the least it needs.
        RECT frame{0, 0, layout_.client_width, layout_.client_height};
        AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(handle(), GWL_STYLE)),
                           GetMenu(handle()) != nullptr,
                           DWORD(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lparam);
        limits.ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
        return 0;
      }
      break;
    case kDpiChangedMessage:
      DpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CLOSE:
      if (on_close_) {
        Run(on_close_);
      } else {
        Close(ModalResult::kNone);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(handle(), message, wparam, lparam);
}

void Form::Activated(bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(handle(), focus)) last_focus_ = focus;
    return;
  }
  HWND focus = last_focus_;
  if (focus == nullptr || !IsWindowEnabled(focus) || !IsWindowVisible(focus)) {
    focus = GetNextDlgTabItem(handle(), nullptr, FALSE);
  }
  SetFocus(focus != nullptr ? focus : handle());
  // An error box raised by the handler hands the activation back when it
  // closes; running the handler again then would only raise it again.
  if (in_activate_) return;
  in_activate_ = true;
  Run(on_activate_);
  in_activate_ = false;
}

void Form::Command(int id, int notification) {
  Control* control = ById(id);
  if (control == nullptr) return;
  // The notification codes overlap between kinds of control.
  switch (control->layout().kind) {
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
      if (notification == BN_CLICKED) Clicked(*control);
      if (notification == BN_SETFOCUS) FocusMoved(*control);
      break;
    case ControlKind::kListBox:
      if (notification == LBN_SETFOCUS) FocusMoved(*control);
      if (notification == LBN_SELCHANGE) Selected(*control);
      break;
    case ControlKind::kMemo:
    case ControlKind::kEdit:
      if (notification == EN_SETFOCUS) FocusMoved(*control);
      break;
    case ControlKind::kLabel:
    case ControlKind::kGroupBox:
    case ControlKind::kListView:  // tells through WM_NOTIFY
      break;
  }
}

void Form::Notified(const NMHDR& header) {
  Control* control = ByWindow(header.hwndFrom);
  if (control == nullptr || control->layout().kind != ControlKind::kListView) return;
  if (header.code == NM_SETFOCUS) FocusMoved(*control);
  // A virtual list tells of a range selected with Shift at once.
  if (header.code == LVN_ODSTATECHANGED) Selected(*control);
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) != 0 &&
        ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
      Selected(*control);
    }
  }
}

void Form::Selected(const Control& control) {
  for (const Handler& handler : selects_) {
    if (handler.id == control.id()) Run(handler.run);
  }
}

void Form::MenuCommand(int command) {
  for (const Handler& handler : commands_) {
    if (handler.id == command) Run(handler.run);
  }
}

void Form::Clicked(const Control& control) {
  // As with the buttons of a modal dialog, the result is settled before the
  // handler runs, so a handler that fails still closes the form.
  if (control.layout().result != ModalResult::kNone) Close(control.layout().result);
  for (const Handler& handler : clicks_) {
    if (handler.id == control.id()) Run(handler.run);
  }
}

// A push button with the focus is what Enter clicks; elsewhere Enter clicks
// the button the control names, else the layout's default button.
void Form::FocusMoved(const Control& control) {
  int id = default_id_;
  if (control.IsPushButton()) {
    id = control.id();
  } else if (const char* named = control.layout().enter_clicks) {
    id = (*this)[named].id();
  }
  ShowDefault(id);
}

void Form::ShowDefault(int id) {
  current_default_id_ = id;
  for (Control& control : controls_) control.ShowAsDefault(control.id() == id);
}

LRESULT Form::ControlColors(HDC dc, HWND window) {
  const Control* control = ByWindow(window);
  if (control == nullptr) {
    return DefWindowProcW(handle(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(window));
  }
  // A read-only text box reports as static but keeps the look of a text box.
  if (control->layout().kind == ControlKind::kMemo) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  const COLORREF color = control->layout().font.color;
  SetTextColor(dc, color == kSystemColor ? GetSysColor(COLOR_BTNTEXT) : color);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace corvane::win32
