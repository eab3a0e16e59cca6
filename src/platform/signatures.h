// Who signed a program file, as Windows verifies it (Authenticode, embedded
// or through the system's catalogs). Version information can say anything;
// only a verified signature tells whom to trust.
#pragma once

#include <string>

namespace corvane {

enum class SignatureState {
  kUnknown,       // not checked yet
  kVerified,      // the signature verifies up to a trusted root
  kNotSigned,     // neither an embedded signature nor a catalog vouches for it
  kNotValid,      // signed, but the signature does not verify (changed, untrusted, revoked)
  kFileNotFound,  // no file at that path
};

struct Signature {
  SignatureState state = SignatureState::kUnknown;
  std::string signer = {};  // kVerified: the signer's name from its certificate
};

class SignatureChecks {
 public:
  virtual ~SignatureChecks() = default;
  // Checks the file now. Slow (it may hash the whole file and search the
  // catalogs): never call it on the path of a window message.
  virtual Signature Check(const std::string& path) const = 0;
};

}  // namespace corvane
