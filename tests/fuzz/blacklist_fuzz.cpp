// A name added to the blacklist reads back as exactly that name, and the
// names listed before stay listed.
#include "changes/blacklist.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using namespace corvane;
  using namespace corvane::fuzz;
  FuzzedDataProvider data(bytes, size);
  MemoryFileSystem files;
  const auto list = files.ProgramDirectory() + "blacklist";
  const auto name = Text(data);
  files.AddFile(list, data.ConsumeRemainingBytesAsString());
  const auto before = LoadBlacklist(files, list);
  const auto bytes_before = files.Content(list);

  AddToBlacklist(files, list, name);
  const auto after = LoadBlacklist(files, list);
  if (!CanBeBlacklisted(name)) {
    Require(files.Content(list) == bytes_before, "a name that cannot be listed is not written");
    return 0;
  }
  Require(after.size() == before.size() + 1, "one name, one line");
  Require(std::equal(before.begin(), before.end(), after.begin()), "earlier names stay");
  Require(after.back() == name, "the name reads back as itself");
  // An empty line never matches anything, so an empty name never counts.
  Require(name.empty() || IsBlacklisted(files, list, name), "the name is blacklisted");
  return 0;
}
