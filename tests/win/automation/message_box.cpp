#include "automation/message_box.h"

#include "automation/input.h"
#include "automation/windows.h"

namespace corvane::automation {
namespace {

// The dialog class of every message box, and the id of its text.
constexpr char kDialogClass[] = "#32770";
constexpr int kTextId = 0xFFFF;

}  // namespace

MessageBoxInfo WaitForMessageBox(DWORD process_id, const std::string& caption,
                                 DWORD timeout_ms) {
  MessageBoxInfo box;
  const HWND window = WaitForWindow(process_id, caption, timeout_ms);
  if (window == nullptr || ClassOf(window) != kDialogClass) return box;
  box.window = window;
  box.owner = GetWindow(window, GW_OWNER);
  for (const ControlInfo& child : ChildrenOf(window)) {
    if (child.class_name == "BUTTON" && child.visible) ++box.buttons;
    if (child.class_name != "STATIC") continue;
    if ((child.style & SS_TYPEMASK) == SS_ICON) {
      box.icon = reinterpret_cast<HICON>(SendMessageW(child.window, STM_GETICON, 0, 0));
    } else if (child.id == kTextId) {
      box.text = child.text;
    }
  }
  return box;
}

void PressOk(const MessageBoxInfo& box) {
  const HWND ok = GetDlgItem(box.window, IDOK);
  if (ok != nullptr) {
    Click(ok);
  } else {
    PostMessageW(box.window, WM_COMMAND, IDOK, 0);
  }
}

}  // namespace corvane::automation
