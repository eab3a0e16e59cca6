// Showing a form modally: every other window of the program is disabled
// while the form runs its own message loop.
#include <stdexcept>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/framework/dialog_keys.h"
#include "platform/win32/framework/form.h"
#include "texts.h"

namespace corvane::win32 {
namespace {

// Disables the thread's visible, enabled top-level windows but one, and
// enables them again when it goes or is told to.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
    for (const HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~OtherWindowsDisabled() { Restore(); }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

  void Restore() {
    for (const HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabled_.clear();
  }

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto* disabler = reinterpret_cast<OtherWindowsDisabled*>(self);
    if (window != disabler->keep_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      disabler->disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND keep_;
  std::vector<HWND> disabled_;
};

}  // namespace

ModalResult Form::ShowModal() {
  // A second, nested run would hand back a result the user never gave.
  if (modal_) throw std::runtime_error(FormatText(texts::kWindowAlreadyOpen, Caption()));
  const HWND previous = GetActiveWindow();
  OtherWindowsDisabled others(handle());
  modal_ = true;
  closing_ = false;
  result_ = ModalResult::kNone;
  last_focus_ = nullptr;
  ShowDefault(default_id_);
  modal_since_ = GetTickCount();
  Show();
  // Without the foreground the window may still be shown inactive; it is
  // the window the user is to answer, so make it this thread's active one.
  if (GetActiveWindow() != handle()) SetActiveWindow(handle());

  MSG message;
  while (!closing_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: close, and leave WM_QUIT to the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      result_ = ModalResult::kNone;
      break;
    }
    if (HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
  // Enabled again before hiding, so that the activation goes back to them.
  others.Restore();
  Hide();
  if (previous != nullptr && previous != handle() && IsWindowVisible(previous)) {
    SetActiveWindow(previous);
  }
  return result_;
}

}  // namespace corvane::win32
