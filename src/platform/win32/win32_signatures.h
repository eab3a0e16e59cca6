// Authenticode through WinVerifyTrust: a file's embedded signature, else the
// system's catalogs, never the network (no revocation lists, no downloads of
// missing certificates): a check must stay fast and quiet.
#pragma once

#include "platform/signatures.h"

namespace corvane {

class Win32Signatures : public SignatureChecks {
 public:
  Signature Check(const std::string& path) const override;
};

}  // namespace corvane
