#include "removal/record_seal.h"

#include "platform/errors.h"
#include "platform/record_fields.h"
#include "platform/sha256.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr char kSealTag[] = "seal=";
constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kKeyBytes = 32;

// Compares every byte, so that the time taken tells nothing of a near miss.
bool SameBytes(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  unsigned char difference = 0;
  for (std::size_t at = 0; at < a.size(); ++at) {
    difference |= static_cast<unsigned char>(a[at] ^ b[at]);
  }
  return difference == 0;
}

}  // namespace

std::string RecordSeal::Seal(const std::string& text) const {
  return text + kSealTag + HexBytes(HmacSha256(key_, text)) + kLineEnd;
}

RecordSeal::Opened RecordSeal::Open(const std::string& sealed) const {
  const std::string tag = kSealTag;
  const std::string end = kLineEnd;
  if (sealed.size() < tag.size() + end.size() ||
      sealed.compare(sealed.size() - end.size(), end.size(), end) != 0) {
    return {Found::kUnsealed, sealed};
  }
  // The last line, from just after the line end before it.
  const auto before = sealed.rfind('\n', sealed.size() - end.size() - 1);
  const auto start = before == std::string::npos ? 0 : before + 1;
  if (sealed.compare(start, tag.size(), tag) != 0) return {Found::kUnsealed, sealed};
  auto text = sealed.substr(0, start);
  const auto seal =
      sealed.substr(start + tag.size(), sealed.size() - end.size() - start - tag.size());
  const bool genuine = SameBytes(seal, HexBytes(HmacSha256(key_, text)));
  return {genuine ? Found::kSealed : Found::kForged, std::move(text)};
}

LoadedSeal LoadSeal(FileSystem& files, UserSecrets& secrets, const std::string& key_path) {
  const bool kept = files.FileExists(key_path);
  if (kept) {
    try {
      if (const auto key = secrets.Unprotect(files.ReadAll(key_path))) {
        if (key->size() == kKeyBytes) return {RecordSeal(*key), false};
      }
    } catch (const InOutError&) {
    }
  }
  const auto key = secrets.RandomBytes(kKeyBytes);
  if (!key) return {};
  // A key that cannot be kept still seals this run's files; the next run
  // finds them sealed by another key and does not take them.
  if (const auto protected_key = secrets.Protect(*key)) {
    try {
      files.ReplaceWhole(key_path, *protected_key, texts::kSealKeyCopySuffix);
    } catch (const InOutError&) {
    }
  }
  return {RecordSeal(*key), !kept && !files.DirectoryExists(key_path)};
}

}  // namespace corvane
