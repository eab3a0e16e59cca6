// A registry entry of any row leads back to exactly the place, value and
// data it was made from, any entry at all reads back as a place of its row
// or as none, and a hostile name shows whole, on one line, in the alert and
// in its copied details.
#include "changes/alert.h"
#include "fuzz_support.h"
#include "monitor/entry_kinds.h"
#include "monitor/located_entry.h"
#include "monitor/startup_entry.h"
#include "platform/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using namespace corvane;
  using namespace corvane::fuzz;
  FuzzedDataProvider data(bytes, size);
  std::vector<const EntryKind*> registry_kinds;
  for (const auto& kind : EntryKinds()) {
    if (!kind.keys.empty()) registry_kinds.push_back(&kind);
  }
  const auto& kind =
      *registry_kinds[data.ConsumeIntegralInRange<std::size_t>(0, registry_kinds.size() - 1)];
  const auto& place = kind.keys[data.ConsumeIntegralInRange<std::size_t>(0, kind.keys.size() - 1)];
  const auto views = ViewsOf(place);
  auto path = views[data.ConsumeIntegralInRange<std::size_t>(0, views.size() - 1)];
  const auto name = Text(data);
  const auto text = Text(data);
  std::string entry;
  std::string expected_name = name;
  switch (kind.reads) {
    case Reads::kValueNames:
      entry = MakeRunValueEntry(kind.type_code, path, name);
      break;
    case Reads::kSubkeyValueNames:
      // The text names the subkey, which holds no backslash.
      if (text.empty() || text.find('\\') != std::string::npos) return 0;
      path += '\\' + text;
      entry = MakeNamedValueEntry(kind.type_code, place.root_code, path, name);
      break;
    case Reads::kNamedCommands:
      expected_name = place.values.front().name;
      entry = MakeNamedValueEntry(kind.type_code, place.root_code, path, expected_name);
      break;
    case Reads::kSubkeys:
      // Subkey names hold no backslash; the first view's go by bare name.
      if (name.empty() || name.find('\\') != std::string::npos) return 0;
      entry = MakeEntry(kind.type_code, path == kind.keys.front().key ? name : path + '\\' + name);
      break;
    default:
      if (kind.reads == Reads::kSubkeyValues) {
        if (name.empty() || name.find('\\') != std::string::npos) return 0;
        path += '\\' + name;
      }
      expected_name = place.values.front().name;
      entry = MakeValueWithDataEntry(kind.type_code, place.root_code, path, expected_name, text);
  }
  const auto located = Locate(entry);
  Require(located && located->kind == &kind && located->key_path == path &&
              located->name == expected_name && located->root_code == place.root_code,
          "the entry splits back");
  const bool carries_data = kind.reads != Reads::kValueNames && kind.reads != Reads::kSubkeys &&
                            kind.reads != Reads::kNamedCommands &&
                            kind.reads != Reads::kSubkeyValueNames;
  Require(!carries_data || located->data == text, "the data comes back whole");

  const auto any = data.ConsumeRemainingBytesAsString();
  if (const auto found = Locate(any)) {
    Require(any.find(found->name) != std::string::npos, "the name comes from the entry");
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
