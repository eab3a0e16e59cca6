#include "removal/approved_switch.h"

#include <chrono>

#include "removal/registry_places.h"

namespace corvane {

namespace {

constexpr std::uint32_t kBinaryValueType = 3;  // REG_BINARY
constexpr char kEnabledByte = 2;
constexpr char kDisabledByte = 3;
// Between 1601-01-01, where file times start, and 1970-01-01.
constexpr std::uint64_t kFileTimeOfUnixEpoch = 116444736000000000ULL;

std::uint64_t FileTimeNow() {
  const auto since_1970 = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  return kFileTimeOfUnixEpoch + static_cast<std::uint64_t>(since_1970.count()) * 10;
}

}  // namespace

RawValue ApprovedValue(bool enabled, std::uint64_t disabled_at) {
  std::string bytes(12, '\0');
  bytes[0] = enabled ? kEnabledByte : kDisabledByte;
  if (!enabled) {
    for (int at = 0; at < 8; ++at)
      bytes[4 + at] = static_cast<char>((disabled_at >> (8 * at)) & 0xff);
  }
  return {kBinaryValueType, bytes};
}

bool WriteApprovedState(Registry& registry, const ValuePlace& place, bool enabled) {
  const auto key = OpenAt(registry, place.root, place.key_path, KeyAccess::kReadWrite, true);
  return key->WriteRawValue(place.name, ApprovedValue(enabled, enabled ? 0 : FileTimeNow()));
}

}  // namespace corvane
