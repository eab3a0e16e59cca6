// The tool tips of one form: the hint shown while the mouse rests on a control.
#pragma once

#include <string>

#include "platform/win32/framework/gui_handles.h"

namespace corvane::win32 {

class ToolTips {
 public:
  // The tip window belongs to the form and is made on the first Add.
  void Add(HWND form, HWND control, const char* text);
  // The control's tip from now on, in place of any it had.
  void Set(HWND form, HWND control, const std::string& text);

 private:
  WindowHandle window_;
};

}  // namespace corvane::win32
