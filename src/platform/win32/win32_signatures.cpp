#include "platform/win32/win32_signatures.h"

#include <windows.h>
// In this order, after windows.h: each needs the ones before it.
#include <wincrypt.h>
// (one block each, so that no sorting changes the order)
#include <wintrust.h>
//
#include <mscat.h>
#include <softpub.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using win32::FileHandle;
using win32::Utf8;
using win32::Wide;

// Newer than the oldest Windows the program starts on, and partly missing
// in Wine: found at run time.
using AcquireContext2 = BOOL(WINAPI*)(HCATADMIN*, const GUID*, PCWSTR, PCCERT_STRONG_SIGN_PARA,
                                      DWORD);
using CalcHash2 = BOOL(WINAPI*)(HCATADMIN, HANDLE, DWORD*, BYTE*, DWORD);

template <typename Function>
Function TrustFunction(const char* name) {
  const HMODULE wintrust = GetModuleHandleW(L"wintrust.dll");
  if (wintrust == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(wintrust, name)));
}

// WINTRUST_CATALOG_INFO as Windows 8 has it, with the context that made
// the hash, which a SHA-256 catalog needs; the headers for the oldest
// Windows the program runs on lack that last member.
struct CatalogMember {
  WINTRUST_CATALOG_INFO info;
  HCATADMIN admin;
};

struct CatalogAdminTraits : win32::NullIsNone {
  static void Free(HCATADMIN admin) { CryptCATAdminReleaseContext(admin, 0); }
};
using CatalogAdmin = win32::OwnedHandle<HCATADMIN, CatalogAdminTraits>;

// A catalog found for a hash; released through the context that found it.
class CatalogFound {
 public:
  CatalogFound(HCATADMIN admin, HCATINFO catalog) : admin_(admin), catalog_(catalog) {}
  ~CatalogFound() {
    if (catalog_ != nullptr) CryptCATAdminReleaseCatalogContext(admin_, catalog_, 0);
  }
  CatalogFound(const CatalogFound&) = delete;
  CatalogFound& operator=(const CatalogFound&) = delete;
  HCATINFO get() const { return catalog_; }

 private:
  HCATADMIN admin_;
  HCATINFO catalog_;
};

// One WinVerifyTrust verification; its state is closed when this goes.
class Verification {
 public:
  explicit Verification(WINTRUST_FILE_INFO* file) {
    data_.dwUnionChoice = WTD_CHOICE_FILE;
    data_.pFile = file;
    Verify();
  }
  explicit Verification(WINTRUST_CATALOG_INFO* member) {
    data_.dwUnionChoice = WTD_CHOICE_CATALOG;
    data_.pCatalog = member;
    Verify();
  }
  ~Verification() {
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data_);
  }
  Verification(const Verification&) = delete;
  Verification& operator=(const Verification&) = delete;

  LONG status() const { return status_; }

  // The first signer after a verification, or null.
  const CRYPT_PROVIDER_SGNR* Signer() const {
    CRYPT_PROVIDER_DATA* const provider = WTHelperProvDataFromStateData(data_.hWVTStateData);
    return provider == nullptr ? nullptr : WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
  }

 private:
  void Verify() {
    data_.cbStruct = sizeof(data_);
    data_.dwUIChoice = WTD_UI_NONE;
    data_.fdwRevocationChecks = WTD_REVOKE_NONE;
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    // No revocation lists and no certificates fetched: nothing leaves the machine.
    data_.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    status_ = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data_);
  }

  WINTRUST_DATA data_{};
  LONG status_ = 0;
};

// The name on the signer's certificate; "" when it cannot be read.
std::string NameOf(const CRYPT_PROVIDER_SGNR& signer) {
  CRYPT_PROVIDER_CERT* const certificate =
      WTHelperGetProvCertFromChain(const_cast<CRYPT_PROVIDER_SGNR*>(&signer), 0);
  if (certificate == nullptr || certificate->pCert == nullptr) return "";
  const DWORD size =
      CertGetNameStringW(certificate->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
  if (size <= 1) return "";
  std::wstring name(size, L'\0');
  CertGetNameStringW(certificate->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, &name[0], size);
  name.resize(size - 1);
  return Utf8(name);
}

Signature Verdict(const Verification& verification) {
  if (verification.status() != ERROR_SUCCESS) return {SignatureState::kNotValid};
  const CRYPT_PROVIDER_SGNR* const signer = verification.Signer();
  if (signer == nullptr) return {SignatureState::kVerified};
  // Wine 8 passes a chain that ends short of any root (Windows does not):
  // only a chain up to a trusted root vouches for the signer.
  const PCCERT_CHAIN_CONTEXT chain = signer->pChainContext;
  constexpr DWORD kNoTrustedRoot = CERT_TRUST_IS_PARTIAL_CHAIN | CERT_TRUST_IS_UNTRUSTED_ROOT;
  if (chain != nullptr && (chain->TrustStatus.dwErrorStatus & kNoTrustedRoot) != 0) {
    return {SignatureState::kNotValid};
  }
  return {SignatureState::kVerified, NameOf(*signer)};
}

bool NoEmbeddedSignature(LONG status) {
  return status == TRUST_E_NOSIGNATURE || status == TRUST_E_SUBJECT_FORM_UNKNOWN ||
         status == TRUST_E_PROVIDER_UNKNOWN;
}

// The hash as catalogs name their members: uppercase hex.
std::wstring MemberTag(const std::vector<BYTE>& hash) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring tag;
  for (const BYTE byte : hash) {
    tag += kDigits[byte >> 4];
    tag += kDigits[byte & 0x0F];
  }
  return tag;
}

void Rewind(HANDLE file) {
  LARGE_INTEGER start{};
  SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
}

// The file's hash as the catalogs of that context hold it; empty when none.
std::vector<BYTE> CatalogHash(HCATADMIN admin, HANDLE file, CalcHash2 calc_hash2) {
  DWORD size = 0;
  Rewind(file);
  const auto calc = [&](BYTE* hash) {
    return calc_hash2 != nullptr ? calc_hash2(admin, file, &size, hash, 0)
                                 : CryptCATAdminCalcHashFromFileHandle(file, &size, hash, 0);
  };
  // The first call tells the size.
  if (!calc(nullptr) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
  if (size == 0 || size > 1024) return {};
  std::vector<BYTE> hash(size);
  Rewind(file);
  if (!calc(hash.data())) return {};
  hash.resize(size);
  return hash;
}

// The file through the system's catalogs: SHA-256 ones where this Windows
// has them, then SHA-1 ones. None naming the file: not signed.
Signature CheckCatalogs(const std::wstring& path, HANDLE file) {
  static const auto acquire2 = TrustFunction<AcquireContext2>("CryptCATAdminAcquireContext2");
  static const auto calc_hash2 = TrustFunction<CalcHash2>("CryptCATAdminCalcHashFromFileHandle2");
  GUID subsystem = DRIVER_ACTION_VERIFY;
  for (const bool sha256 : {true, false}) {
    // The two newer functions go together: a SHA-256 context needs a SHA-256 hash.
    if (sha256 && (acquire2 == nullptr || calc_hash2 == nullptr)) continue;
    CatalogAdmin admin;
    const BOOL acquired = sha256 ? acquire2(admin.Receive(), &subsystem, L"SHA256", nullptr, 0)
                                 : CryptCATAdminAcquireContext(admin.Receive(), &subsystem, 0);
    if (!acquired) continue;
    std::vector<BYTE> hash = CatalogHash(admin.get(), file, sha256 ? calc_hash2 : nullptr);
    if (hash.empty()) continue;
    const CatalogFound catalog(
        admin.get(),
        CryptCATAdminEnumCatalogFromHash(admin.get(), hash.data(), DWORD(hash.size()), 0, nullptr));
    if (catalog.get() == nullptr) continue;
    CATALOG_INFO info{};
    info.cbStruct = sizeof(info);
    if (!CryptCATCatalogInfoFromContext(catalog.get(), &info, 0)) continue;
    const std::wstring tag = MemberTag(hash);
    CatalogMember member{};
    // The longer form only where the SHA-256 context exists (Windows 8 on).
    member.info.cbStruct = sha256 ? sizeof(member) : sizeof(member.info);
    member.info.pcwszCatalogFilePath = info.wszCatalogFile;
    member.info.pcwszMemberFilePath = path.c_str();
    member.info.pcwszMemberTag = tag.c_str();
    member.info.hMemberFile = file;
    member.info.pbCalculatedFileHash = hash.data();
    member.info.cbCalculatedFileHash = DWORD(hash.size());
    member.admin = admin.get();
    Rewind(file);
    return Verdict(Verification(&member.info));
  }
  return {SignatureState::kNotSigned};
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

Signature Win32Signatures::Check(const std::string& path) const {
  if (path.empty() || win32::HoldsNul(path)) return {SignatureState::kFileNotFound};
  const std::wstring wide = Wide(path);
  if (IsFolder(wide)) return {SignatureState::kFileNotFound};
  // One handle for every step, so that the file verified is the one opened
  // even if the path is given another file meanwhile.
  const FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                        error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH ||
                        error == ERROR_INVALID_DRIVE || error == ERROR_BAD_PATHNAME;
    // There but not readable (in use, no access): nothing can be told of it.
    return {absent ? SignatureState::kFileNotFound : SignatureState::kUnknown};
  }
  WINTRUST_FILE_INFO subject{};
  subject.cbStruct = sizeof(subject);
  subject.pcwszFilePath = wide.c_str();
  subject.hFile = file.get();
  {
    const Verification embedded(&subject);
    if (!NoEmbeddedSignature(embedded.status())) return Verdict(embedded);
  }
  return CheckCatalogs(wide, file.get());
}

}  // namespace corvane
