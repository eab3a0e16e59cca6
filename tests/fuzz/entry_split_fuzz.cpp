// A Run-type entry leads back to exactly the value it was made from, and a
// hostile name shows whole, on one line, in the alert and in its copied details.
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

  // The alert shows, and copies, the texts as ShowAlert hands them on.
  AlertFacts facts;
  facts.location = Printable(name);
  facts.command = Printable(name);
  const auto details = AlertDetails(facts);
  Require(IsValidUtf8(details), "the alert shows UTF-8");
  std::size_t line_ends = 0;
  for (const char c : details) {
    if (c == '\n') ++line_ends;
    Require(static_cast<unsigned char>(c) >= 0x20 || c == '\r' || c == '\n',
            "no control characters");
  }
  Require(line_ends == 2, "a name adds no line to the details");
  return 0;
}
