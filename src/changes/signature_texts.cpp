#include "changes/signature_texts.h"

#include "texts.h"

namespace corvane {

std::string SignatureText(const Signature& signature) {
  switch (signature.state) {
    case SignatureState::kUnknown:
      return "";
    case SignatureState::kVerified:
      return "Verified: " + signature.signer;
    case SignatureState::kNotSigned:
      return "Not signed";
    case SignatureState::kNotValid:
      return "Signature not valid";
    case SignatureState::kFileNotFound:
      return "File not found";
  }
  return "";
}

std::string PublisherLine(const Signature& signature, const std::string& company) {
  if (signature.state == SignatureState::kVerified) return signature.signer + " (verified)";
  if (signature.state == SignatureState::kFileNotFound) return "(file not found)";
  return company.empty() ? "" : company + " (not verified)";
}

bool IsWindowsOwn(const Signature& signature) {
  return signature.state == SignatureState::kVerified &&
         signature.signer.compare(0, 10, "Microsoft ") == 0;
}

}  // namespace corvane
