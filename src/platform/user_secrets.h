// What Windows keeps for the current user alone: data that only this user's
// account can read back, and random bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace corvane {

class UserSecrets {
 public:
  virtual ~UserSecrets() = default;

  // The bytes protected for this user; no value when they cannot be.
  virtual std::optional<std::string> Protect(const std::string& bytes) = 0;

  // The protected bytes back; no value when they were not protected for
  // this user or are damaged.
  virtual std::optional<std::string> Unprotect(const std::string& protected_bytes) = 0;

  // Bytes from the system's random number generator; no value when it fails.
  virtual std::optional<std::string> RandomBytes(std::size_t count) = 0;
};

}  // namespace corvane
