// Scans of the real (Wine) registry and files by the Windows build: a whole
// snapshot scan of the machine as it is, and the key value scanner on a
// throw-away key holding many values. Prints entries per second.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "monitor/area_switches.h"
#include "monitor/entry_kinds.h"
#include "monitor/kind_scan.h"
#include "monitor/snapshot_scan.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/win32_platform.h"

namespace corvane {
namespace {

template <typename Scan>
void Measure(const char* what, int rounds, Scan scan) {
  std::size_t entries = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) entries += scan();
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::printf("%-40s %8zu entries/scan %10.3f ms/scan %12.0f entries/s\n", what, entries / rounds,
              1000.0 * seconds.count() / rounds, entries / seconds.count());
}

void MeasureKeyWithValues(const Platform& platform, int count) {
  auto& registry = platform.registry;
  const std::string key = "\\Software\\CorvaneBench-" + std::to_string(GetCurrentProcessId());
  auto setup = registry.CreateAccessor();
  setup->OpenKey(key, true, KeyAccess::kReadWrite);
  for (int i = 0; i < count; ++i) WriteText(*setup, "Value" + std::to_string(i), "x.exe");
  // The user's Run-type row, read at the bench's own key alone.
  auto kind = *KindOf('2');
  kind.keys = {{'2', key}};
  const auto label = "key value scanner, " + std::to_string(count) + " values";
  Measure(label.c_str(), count >= 10000 ? 10 : 100, [&] {
    EntryTables tables;
    ScanKind(platform, kind, tables);
    return tables.current.Count();
  });
  setup->OpenKey("\\Software", false, KeyAccess::kReadWrite);
  setup->DeleteKey(key.substr(std::string("\\Software\\").size()));
}

}  // namespace
}  // namespace corvane

int main() {
  using namespace corvane;
  const win32::ComApartment apartment;
  Win32Platform windows;
  Platform& platform = windows.platform;
  platform.event_log = nullptr;  // a bench decides nothing
  const FixedAreaSwitches switches;
  EntryTables tables;
  Measure("snapshot scan of this machine", 100, [&] {
    TakeSnapshotScan(platform, switches, tables);
    return tables.baseline.Count();
  });
  MeasureKeyWithValues(platform, 100);
  MeasureKeyWithValues(platform, 1000);
  MeasureKeyWithValues(platform, 10000);
  return 0;
}
