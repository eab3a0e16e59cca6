// Signatures as WinVerifyTrust checks them, on files signed at build time
// under a test root that only this test trusts.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <wincrypt.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "changes/signature_texts.h"
#include "platform/win32/framework/gui_handles.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/win32_signatures.h"

namespace corvane {
namespace {

// The build hands over the samples' Unix folder, which Wine has under Z:.
std::string Sample(const std::string& name) {
  std::string path = std::string(CORVANE_SIGNATURE_SAMPLES) + "/" + name;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

// The test root in the machine's Root store for as long as this lives.
class TrustedRoot {
 public:
  TrustedRoot()
      : store_(CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE,
                             L"Root")) {
    std::ifstream file(Sample("root.der"), std::ios::binary);
    const std::vector<char> der{std::istreambuf_iterator<char>(file), {}};
    CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING,
                                     reinterpret_cast<const BYTE*>(der.data()), DWORD(der.size()),
                                     CERT_STORE_ADD_REPLACE_EXISTING, &added_);
  }
  ~TrustedRoot() {
    if (added_ != nullptr) CertDeleteCertificateFromStore(added_);  // frees the context too
    CertCloseStore(store_, 0);
  }
  TrustedRoot(const TrustedRoot&) = delete;
  TrustedRoot& operator=(const TrustedRoot&) = delete;
  bool added() const { return added_ != nullptr; }

 private:
  HCERTSTORE store_;
  PCCERT_CONTEXT added_ = nullptr;
};

TEST(SignaturesWinTest, ReadEachFileAsItsSignatureAllows) {
  // Before any check: the chain engine reads the Root store when the
  // process first builds a chain.
  const TrustedRoot root;
  ASSERT_TRUE(root.added());
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  const struct {
    std::string file, text;
  } cases[] = {
      // Wine 8's Root store is the host's roots: a root added to it is not
      // kept, the chain ends at an untrusted root, and Wine's WinVerifyTrust
      // says yes to it all the same; the check looks at the chain itself.
      {"signed.exe", wine ? "Signature not valid" : "Verified: Corvane Test Signer"},
      // A chain that ends short of any root: Wine 8 says yes to it too
      // (Windows: CERT_E_CHAINING).
      {"leaf-only.exe", "Signature not valid"},
      {"untrusted.exe", "Signature not valid"},
      // Wine checks the image's hash (TRUST_E_BAD_DIGEST).
      {"tampered.exe", "Signature not valid"},
      // Wine has no catalogs to find the file in.
      {"unsigned.exe", "Not signed"},
      {"missing.exe", "File not found"},
  };
  const Win32Signatures checks;
  std::vector<std::string> paths;
  for (const auto& c : cases) {
    EXPECT_EQ(SignatureText(checks.Check(Sample(c.file))), c.text) << c.file;
    paths.push_back(Sample(c.file));
  }

  // The worker tells the window when its results are in, and keeps them.
  constexpr UINT kResults = WM_APP + 1;
  const win32::WindowHandle window(
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  win32::SignatureWorker worker(checks);
  worker.Request(paths, window.get(), kResults);
  MSG message{};
  while (SignatureText(worker.Known(paths.back())).empty()) {
    ASSERT_GT(GetMessageW(&message, window.get(), kResults, kResults), 0);
  }
  for (const auto& c : cases) {
    EXPECT_EQ(SignatureText(worker.Known(Sample(c.file))), c.text) << c.file;
  }
}

}  // namespace
}  // namespace corvane
