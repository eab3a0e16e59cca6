#include "platform/win32/win32_user_secrets.h"

// clang-format off
#include <windows.h>
#include <bcrypt.h>
#include <dpapi.h>
// clang-format on

#include <limits>

namespace corvane {

namespace {

// What CryptProtectData and CryptUnprotectData hand back, freed with LocalFree.
class ProtectedBlob {
 public:
  ProtectedBlob() = default;
  ProtectedBlob(const ProtectedBlob&) = delete;
  ProtectedBlob& operator=(const ProtectedBlob&) = delete;
  ~ProtectedBlob() {
    if (blob.pbData != nullptr) {
      SecureZeroMemory(blob.pbData, blob.cbData);
      LocalFree(blob.pbData);
    }
  }
  std::string Bytes() const {
    return std::string(reinterpret_cast<const char*>(blob.pbData), blob.cbData);
  }
  DATA_BLOB blob{0, nullptr};
};

std::optional<DATA_BLOB> BlobOf(const std::string& bytes) {
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return std::nullopt;
  return DATA_BLOB{static_cast<DWORD>(bytes.size()),
                   reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

}  // namespace

std::optional<std::string> Win32UserSecrets::Protect(const std::string& bytes) {
  auto in = BlobOf(bytes);
  ProtectedBlob out;
  if (!in || !CryptProtectData(&*in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                               &out.blob)) {
    return std::nullopt;
  }
  return out.Bytes();
}

std::optional<std::string> Win32UserSecrets::Unprotect(const std::string& protected_bytes) {
  auto in = BlobOf(protected_bytes);
  ProtectedBlob out;
  if (!in || !CryptUnprotectData(&*in, nullptr, nullptr, nullptr, nullptr,
                                 CRYPTPROTECT_UI_FORBIDDEN, &out.blob)) {
    return std::nullopt;
  }
  return out.Bytes();
}

std::optional<std::string> Win32UserSecrets::RandomBytes(std::size_t count) {
  std::string bytes(count, '\0');
  if (count > std::numeric_limits<ULONG>::max() ||
      !BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&bytes[0]),
                                      static_cast<ULONG>(count),
                                      BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace corvane
