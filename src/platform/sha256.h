// SHA-256 and its keyed form, HMAC-SHA-256, for the seal that vouches for
// the program's own files.
#pragma once

#include <string>

namespace corvane {

// The 32 bytes of the message's digest.
std::string Sha256(const std::string& message);

// The 32 bytes of the message's HMAC under the key (any length).
std::string HmacSha256(const std::string& key, const std::string& message);

}  // namespace corvane
