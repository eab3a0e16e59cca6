#include "platform/win32/framework/win32_message_boxes.h"

#include "texts.h"

namespace corvane::win32 {

void Win32MessageBoxes::Beep() { MessageBeep(0); }

void Win32MessageBoxes::ShowInformation(const std::string& text) {
  MessageBoxA(application_.BoxOwner(), text.c_str(), texts::kInformationTitle,
              MB_OK | MB_ICONINFORMATION);
}

void Win32MessageBoxes::ShowWarning(const std::string& text) {
  MessageBoxA(application_.BoxOwner(), text.c_str(), texts::kWarningTitle,
              MB_OK | MB_ICONWARNING);
}

void Win32MessageBoxes::ShowError(const std::string& message) { application_.ShowError(message); }

}  // namespace corvane::win32
