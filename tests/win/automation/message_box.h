// A standard message box of another process, as a user sees it.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::automation {

struct MessageBoxInfo {
  HWND window = nullptr;  // null: no such box showed
  HWND owner = nullptr;
  std::string text;
  // The box's icon: within one process the same handle as LoadIcon(nullptr,
  // IDI_...) gives; another process may hold its own handle for it.
  HICON icon = nullptr;
  int buttons = 0;
};

// Waits for a message box of the process with that caption.
MessageBoxInfo WaitForMessageBox(DWORD process_id, const std::string& caption,
                                 DWORD timeout_ms = 10000);
// Presses its OK button.
void PressOk(const MessageBoxInfo& box);

}  // namespace corvane::automation
