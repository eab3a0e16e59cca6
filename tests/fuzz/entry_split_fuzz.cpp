// A Run-type entry leads back to exactly the value it was made from, and a
// hostile name shows whole, on one line, in the alert.
#include "changes/alert.h"
#include "fuzz_support.h"
#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "platform/unicode.h"
#include "removal/registry_removals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using namespace corvane;
  using namespace corvane::fuzz;
  FuzzedDataProvider data(bytes, size);
  const auto& key = data.PickValueInArray(locations::kRunKeys);
  const auto name = Text(data);
  const auto located = LocateRunValue(MakeRunValueEntry(key.root_code, key.path, name));
  Require(located.key_path == key.path && located.value_name == name, "the entry splits back");

  const auto entry = data.ConsumeRemainingBytesAsString();
  if (!entry.empty()) {
    const auto any = LocateRunValue(entry);
    Require(entry.find(any.value_name) != std::string::npos, "the name comes from the entry");
  }

  const auto shown = ShownLocation(name);
  Require(IsValidUtf8(shown), "the alert shows UTF-8");
  Require(CharacterCount(shown) <= 39, "the alert's line stays short");
  for (const char c : shown) Require(static_cast<unsigned char>(c) >= 0x20, "no control characters");
  return 0;
}
