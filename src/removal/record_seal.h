// The seal that shows that a file of the data folder (a backup record, the
// saved baseline) was written by Corvane for this user: a last line
// "seal=" and the HMAC-SHA-256 of every byte before it in hexadecimal, under
// a key kept in the data folder protected for this user's account alone.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/user_secrets.h"

namespace corvane {

class RecordSeal {
 public:
  // An empty key, as the tests use; the program loads its own (LoadSeal).
  RecordSeal() = default;
  explicit RecordSeal(std::string key) : key_(std::move(key)) {}

  // The text with its seal line after it.
  std::string Seal(const std::string& text) const;

  enum class Found {
    kSealed,    // the seal line holds this key's seal of the text
    kUnsealed,  // no seal line: written by an earlier version, or by hand
    kForged,    // a seal line that this key did not make
  };
  struct Opened {
    Found found;
    std::string text;  // without the seal line
  };
  Opened Open(const std::string& sealed) const;

 private:
  std::string key_;
};

struct LoadedSeal {
  RecordSeal seal;
  // The key was made now, as at the first start of this version: files an
  // earlier version left unsealed may be taken once.
  bool made = false;
};

// The seal under the key kept at `key_path`, made and kept there when the
// file is missing. A key that cannot be read back for this user is replaced
// by a new one (so what it sealed no longer counts) without counting as made.
LoadedSeal LoadSeal(FileSystem& files, UserSecrets& secrets, const std::string& key_path);

}  // namespace corvane
