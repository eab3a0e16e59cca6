#include "platform/win32/framework/tool_tips.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/wide.h"

namespace corvane::win32 {

void ToolTips::Add(HWND form, HWND control, const char* text) {
  if (!window_) {
    window_ = WindowHandle(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
  }
  std::wstring tip = Wide(text);
  TOOLINFOW tool{};
  // The first layout of the record, which every version of the common controls takes.
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = &tip[0];  // copied by the tip window
  SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace corvane::win32
