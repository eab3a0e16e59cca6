// One entry, one log line, whatever the entry's name holds and however the
// log ended before.
#include "changes/activity_log.h"
#include "fuzz_support.h"
#include "platform/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using namespace corvane;
  using namespace corvane::fuzz;
  FuzzedDataProvider data(bytes, size);
  MemoryFileSystem files;
  const auto log = files.ProgramDirectory() + "corvane.log";
  const auto line = Text(data);
  files.AddFile(log, data.ConsumeRemainingBytesAsString());
  auto expected = LoadLog(files, log);

  WriteLog(files, log, line);
  expected.push_back(Printable(line));
  Require(LoadLog(files, log) == expected, "the log gains exactly the one line");
  Require(IsValidUtf8(expected.back()), "the line reads as UTF-8");
  return 0;
}
