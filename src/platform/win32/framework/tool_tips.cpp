#include "platform/win32/framework/tool_tips.h"

#include <commctrl.h>

namespace corvane::win32 {

void ToolTips::Add(HWND form, HWND control, const char* text) {
  if (!window_) {
    window_ = WindowHandle(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                           GetModuleHandleA(nullptr), nullptr));
  }
  TOOLINFOA tool{};
  // The first layout of the record, which every version of the common controls takes.
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text);  // copied by the tip window
  SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace corvane::win32
