// The standard Yes/No question: modal, titled "Warning", with the warning
// icon; Esc answers No.
#pragma once

#include <string>

#include "platform/win32/framework/application.h"

namespace corvane::win32 {

enum class DefaultAnswer { kYes, kNo };

// Asks, and tells whether the user answered Yes. The box belongs to
// the active window of the program, which it disables while it is open.
bool AskYesNo(const Application& application, const std::string& question,
              DefaultAnswer default_answer);

}  // namespace corvane::win32
