#include "platform/win32/framework/tool_tips.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

TOOLINFOW ToolOf(HWND form, HWND control) {
  TOOLINFOW tool{};
  // The first layout of the record, which every version of the common controls takes.
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

void ToolTips::Add(HWND form, HWND control, const char* text) {
  if (!window_) {
    window_ = WindowHandle(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
    // A tip longer than this wraps rather than run off the screen.
    SendMessageW(window_.get(), TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 2);
  }
  std::wstring tip = Wide(text);
  TOOLINFOW tool = ToolOf(form, control);
  tool.lpszText = &tip[0];  // copied by the tip window
  SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::Set(HWND form, HWND control, const std::string& text) {
  if (window_) {
    TOOLINFOW tool = ToolOf(form, control);
    SendMessageW(window_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  Add(form, control, text.c_str());
}

}  // namespace corvane::win32
