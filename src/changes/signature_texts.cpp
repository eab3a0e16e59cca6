#include "changes/signature_texts.h"

#include "platform/unicode.h"
#include "texts.h"

namespace corvane {

std::string SignatureText(const Signature& signature) {
  switch (signature.state) {
    case SignatureState::kVerified:
      // The name comes from a certificate, which anyone can make.
      return texts::kSignatureVerified + Printable(signature.signer);
    case SignatureState::kNotSigned:
      return texts::kSignatureNotSigned;
    case SignatureState::kNotValid:
      return texts::kSignatureNotValid;
    case SignatureState::kFileNotFound:
      return texts::kSignatureFileNotFound;
    case SignatureState::kUnknown:
      break;
  }
  return "";
}

std::string PublisherLine(const Signature& signature, const std::string& company) {
  switch (signature.state) {
    case SignatureState::kVerified:
      return Printable(signature.signer) + texts::kPublisherVerified;
    case SignatureState::kFileNotFound:
      return texts::kPublisherFileNotFound;
    case SignatureState::kUnknown:
      // Not checked yet: the company as the version information says, no
      // verdict either way.
      return company;
    case SignatureState::kNotSigned:
    case SignatureState::kNotValid:
      break;
  }
  return company.empty() ? "" : company + texts::kPublisherNotVerified;
}

bool IsWindowsOwn(const Signature& signature) {
  return signature.state == SignatureState::kVerified &&
         signature.signer.rfind(texts::kWindowsOwnSigner, 0) == 0;
}

}  // namespace corvane
