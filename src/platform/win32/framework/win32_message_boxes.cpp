#include "platform/win32/framework/win32_message_boxes.h"

#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::win32 {

void Win32MessageBoxes::Beep() { MessageBeep(0); }

void Win32MessageBoxes::ShowInformation(const std::string& text) {
  MessageBoxW(application_.BoxOwner(), Wide(text).c_str(),
              Wide(texts::kInformationTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}

void Win32MessageBoxes::ShowWarning(const std::string& text) {
  MessageBoxW(application_.BoxOwner(), Wide(text).c_str(), Wide(texts::kWarningTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}

void Win32MessageBoxes::ShowError(const std::string& message) { application_.ShowError(message); }

}  // namespace corvane::win32
