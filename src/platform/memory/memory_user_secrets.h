// The user's secrets for the host build: protection that only this object
// can undo, and random bytes that differ on each call.
#pragma once

#include "platform/user_secrets.h"

namespace corvane {

class MemoryUserSecrets : public UserSecrets {
 public:
  std::optional<std::string> Protect(const std::string& bytes) override {
    return kMark + bytes;
  }
  std::optional<std::string> Unprotect(const std::string& protected_bytes) override {
    if (protected_bytes.compare(0, kMark.size(), kMark) != 0) return std::nullopt;
    return protected_bytes.substr(kMark.size());
  }
  std::optional<std::string> RandomBytes(std::size_t count) override {
    std::string bytes(count, '\0');
    for (auto& byte : bytes) byte = static_cast<char>(++drawn_ * 37);
    return bytes;
  }

 private:
  const std::string kMark = "protected for this user:";
  unsigned drawn_ = 0;
};

}  // namespace corvane
