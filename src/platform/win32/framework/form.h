// A top-level window built from a layout table: centred on the screen, with
// a fixed single border and the exact client size of the layout (larger
// only where a text needs more room, see form_fit.cpp), owned by the
// application window. Positions, sizes and font heights of the layout grow
// with the DPI of the window's screen. Handlers are attached by control name; an
// exception that leaves a handler is shown in the application's error box.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/user_interface.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/control.h"
#include "platform/win32/framework/dpi.h"
#include "platform/win32/framework/font_cache.h"
#include "platform/win32/framework/layout.h"
#include "platform/win32/framework/menus.h"
#include "platform/win32/framework/tool_tips.h"

namespace corvane::win32 {

class Form {
 public:
  // Makes the window, hidden, and its controls in tab order.
  Form(Application& application, const FormLayout& layout, const ControlLayout* controls,
       std::size_t count);
  template <std::size_t N>
  Form(Application& application, const FormLayout& layout, const ControlLayout (&controls)[N])
      : Form(application, layout, controls, N) {}
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND handle() const { return window_.get(); }
  // Layout pixels (drawn for 96 dpi) in the pixels of the window's screen;
  // positions and sizes handed to the form and its controls are in these.
  int Scaled(int pixels) const { return ScaledToDpi(pixels, dpi_); }
  // The control of that name; a name that the layout lacks is a logic error.
  Control& operator[](const char* name);
  const Control& operator[](const char* name) const;

  // Runs when the button or check box is clicked (also through Enter or Esc).
  void OnClick(const char* name, std::function<void()> handler);
  // Runs when the user changes the selection of the list box or list view;
  // a list view also tells of a selection set by the program, but not of
  // rows that go with theirs.
  void OnSelect(const char* name, std::function<void()> handler);
  // Runs every time the window becomes the active window.
  void OnActivate(std::function<void()> handler);
  // Replaces what the close button does (by default: Close(kNone)).
  void OnClose(std::function<void()> handler);
  // Runs when the menu item with that command is chosen.
  void OnCommand(int command, std::function<void()> handler);
  // Sees the window message before the form does; returning true answers it
  // with `result`, false lets the form go on as usual.
  using MessageHook = std::function<bool(WPARAM wparam, LPARAM lparam, LRESULT& result)>;
  void OnMessage(UINT message, MessageHook hook);
  // Puts the menu bar on the window, which then owns it; the client area
  // keeps its size.
  void SetMenuBar(MenuHandle menu);
  // A new size of the client area, the window centred on the screen again.
  void SetClientSize(int width, int height);
  // The client width that shows the whole text of every control: the
  // layout's, or more where the fonts in use are wider than it was drawn for.
  int FittedClientWidth() const { return fitted_width_; }
  // The tool tip of the control of that name from now on.
  void SetHint(const char* name, const std::string& text);

  // Shows the window, other windows of the program disabled, until Close;
  // returns the result handed to Close. A form already shown modally raises
  // std::runtime_error: only the user answers a form.
  ModalResult ShowModal();
  bool IsModal() const { return modal_; }
  // Ends ShowModal with the result; a form that is not modal is hidden.
  void Close(ModalResult result);
  void Show();
  void Hide();
  // The window's caption as it stands now.
  std::string Caption() const;

  // Enter, Esc, Tab and mnemonics for a message bound for this form.
  bool HandleDialogKey(MSG& message);

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Activated(bool active);
  void Command(int id, int notification);
  void Notified(const NMHDR& header);
  void Selected(const Control& control);
  void MenuCommand(int command);
  void Clicked(const Control& control);
  void FocusMoved(const Control& control);
  void ShowDefault(int id);
  LRESULT ControlColors(HDC dc, HWND control);
  void Run(const std::function<void()>& handler);
  Control* ById(int id);
  Control* ByWindow(HWND window);
  void CreateControls(const ControlLayout* controls, std::size_t count);
  // The window moved to a screen of another DPI: everything grows or
  // shrinks by as much, and the window takes the place Windows suggests.
  void DpiChanged(int dpi, const RECT& suggested);
  // Widens (and heightens) every control too small for its text, see form_fit.cpp.
  void FitControlsToText();

  // A click or selection handler by control id, or a menu command handler
  // by command.
  struct Handler {
    int id;
    std::function<void()> run;
  };

  Application& application_;
  FormLayout layout_;  // client size in screen pixels
  int dpi_ = kLayoutDpi;
  FontCache fonts_;  // outlives every window that uses its fonts
  WindowHandle window_;
  std::vector<Control> controls_;
  std::vector<int> font_heights_;  // each control's, at 96 dpi, for a new DPI
  ToolTips tips_;
  std::vector<Handler> clicks_;
  std::vector<Handler> selects_;
  std::vector<Handler> commands_;
  std::vector<std::pair<UINT, MessageHook>> hooks_;
  std::function<void()> on_activate_;
  std::function<void()> on_close_;
  int fitted_width_ = 0;
  int default_id_ = 0;  // the layout's default button
  int current_default_id_ = 0;  // the focused button, else the layout's default
  int cancel_id_ = 0;
  HWND last_focus_ = nullptr;
  bool in_activate_ = false;
  bool modal_ = false;
  bool closing_ = false;
  DWORD modal_since_ = 0;  // when ShowModal showed the window, in message time
  ModalResult result_ = ModalResult::kNone;
};

}  // namespace corvane::win32
