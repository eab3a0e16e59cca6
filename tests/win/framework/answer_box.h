// Runs an action that shows a message box in this thread while another
// thread, standing in for the user, reads the box and presses OK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "automation/input.h"
#include "automation/message_box.h"

namespace corvane {

inline automation::MessageBoxInfo AnswerBoxWhile(const std::string& caption,
                                                 const std::function<void()>& action) {
  automation::MessageBoxInfo seen;
  std::thread user([&] {
    seen = automation::WaitForMessageBox(GetCurrentProcessId(), caption);
    if (seen.window != nullptr) automation::PressOk(seen);
  });
  action();
  user.join();
  return seen;
}

}  // namespace corvane
