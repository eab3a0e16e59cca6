#include "platform/win32/framework/dialog_keys.h"

#include "platform/win32/framework/form.h"
#include "platform/win32/framework/window_classes.h"

namespace corvane::win32 {

bool HandleDialogKeys(MSG& message) {
  if (message.hwnd == nullptr) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (!IsFormWindow(root)) return false;
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
  return form != nullptr && form->HandleDialogKey(message);
}

bool Form::HandleDialogKey(MSG& message) {
  // Keys typed before a modal window came up wait in the queue: none of them
  // answers the window, which may be an alert that the user has not seen
  // yet, be it through Enter, Esc or an access key.
  const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  if (key && modal_ && static_cast<LONG>(message.time - modal_since_) < 0) return true;
  const bool enter_or_esc = message.wParam == VK_RETURN || message.wParam == VK_ESCAPE;
  if (message.message == WM_KEYDOWN && enter_or_esc) {
    // Handled here rather than by the dialog manager, whose handling of
    // these two keys differs between systems for windows that are not
    // dialogs and for multi-line text boxes.
    // A key held down repeats: the repeats answer no window either.
    const bool repeated = (message.lParam & (LPARAM(1) << 30)) != 0;
    if (repeated) return true;
    const int id = message.wParam == VK_RETURN ? current_default_id_ : cancel_id_;
    const Control* button = ById(id);
    if (button != nullptr && button->Enabled()) Clicked(*button);
    return true;
  }
  return IsDialogMessageW(handle(), &message) != FALSE;
}

}  // namespace corvane::win32
