// The local date and time in the user's regional formats.
#pragma once

#include "platform/user_interface.h"

namespace corvane::win32 {

class Win32Clock : public Clock {
 public:
  // The short date and the long time format of the user's locale.
  Timestamp Now() const override;
};

}  // namespace corvane::win32
