// Stand-in until the verifying code lands.
#include "platform/win32/signature_worker.h"
#include "platform/win32/win32_signatures.h"

namespace corvane {
Signature Win32Signatures::Check(const std::string&) const { return {SignatureState::kNotSigned}; }
namespace win32 {
SignatureWorker::SignatureWorker(const SignatureChecks&) {}
SignatureWorker::~SignatureWorker() = default;
Signature SignatureWorker::Known(const std::string&) const { return {}; }
void SignatureWorker::Request(const std::vector<std::string>&, HWND, UINT) {}
void SignatureWorker::Forget(HWND) {}
}  // namespace win32
}  // namespace corvane
