// Authenticode through WinVerifyTrust, embedded or through the catalogs.
#pragma once

#include "platform/signatures.h"

namespace corvane {

class Win32Signatures : public SignatureChecks {
 public:
  Signature Check(const std::string& path) const override;
};

}  // namespace corvane
