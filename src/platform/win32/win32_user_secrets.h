// The user's secrets through the Data Protection API and the system's
// random number generator.
#pragma once

#include "platform/user_secrets.h"

namespace corvane {

class Win32UserSecrets : public UserSecrets {
 public:
  std::optional<std::string> Protect(const std::string& bytes) override;
  std::optional<std::string> Unprotect(const std::string& protected_bytes) override;
  std::optional<std::string> RandomBytes(std::size_t count) override;
};

}  // namespace corvane
