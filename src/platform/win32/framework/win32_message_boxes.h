// The standard message boxes and the beep, on Windows.
#pragma once

#include <string>

#include "platform/user_interface.h"
#include "platform/win32/framework/application.h"

namespace corvane::win32 {

class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(const Application& application) : application_(application) {}

  void Beep() override;
  // Both belong to the active window of the program, which they disable
  // while they are open.
  void ShowInformation(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void ShowError(const std::string& message) override;

 private:
  const Application& application_;
};

}  // namespace corvane::win32
