#include "platform/win32/framework/question_box.h"

#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::win32 {
namespace {

struct HookTraits : NullIsNone {
  static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
using HookHandle = OwnedHandle<HHOOK, HookTraits>;

// A Yes/No message box has no Cancel button, so the system gives Esc no
// meaning there (Windows ignores it, Wine answers IDCANCEL, which a caller
// would take for Yes). While the question is open, Esc presses No.
LRESULT CALLBACK EscapePressesNo(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const MSG*>(lparam);
  if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
    const HWND box = GetAncestor(message->hwnd, GA_ROOT);
    const HWND no = GetDlgItem(box, IDNO);
    if (no != nullptr) {
      SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
      return TRUE;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

bool AskYesNo(const Application& application, const std::string& question,
              DefaultAnswer default_answer) {
  const HookHandle escape(
      SetWindowsHookExW(WH_MSGFILTER, &EscapePressesNo, nullptr, GetCurrentThreadId()));
  const UINT style = MB_YESNO | MB_ICONWARNING |
                     (default_answer == DefaultAnswer::kYes ? MB_DEFBUTTON1 : MB_DEFBUTTON2);
  const int answer = MessageBoxW(application.BoxOwner(), Wide(question).c_str(),
                                 Wide(texts::kWarningTitle).c_str(), style);
  return answer == IDYES;
}

}  // namespace corvane::win32
