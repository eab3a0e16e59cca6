// How many startup entries per second a snapshot scan (scan plus copy into
// the baseline) handles on the in-memory platform.
#include <benchmark/benchmark.h>

#include <string>

#include "monitor/area_switches.h"
#include "monitor/snapshot_scan.h"
#include "platform/memory/memory_environment.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_program_facts.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_library.h"

namespace corvane {
namespace {

void SnapshotScan(benchmark::State& state) {
  const auto entries = static_cast<int>(state.range(0));
  MemoryRegistry registry;
  MemoryEnvironment environment;
  MemoryFileSystem files;
  environment.Set("windir", "C:\\WINDOWS");
  environment.Set("USERPROFILE", "C:\\Users\\bench");
  // A quarter of the entries in each of four kinds of place.
  for (int i = 0; i < entries / 4; ++i) {
    const auto n = std::to_string(i);
    registry.SetString(RegistryRoot::kCurrentUser,
                       "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tool" + n, "t.exe");
    files.AddFile("C:\\Users\\bench\\Start Menu\\Programs\\Startup\\link" + n + ".lnk");
    const auto service = "\\SYSTEM\\CurrentControlSet\\Services\\Service" + n;
    registry.SetInteger(RegistryRoot::kLocalMachine, service, "Start", 2);
    registry.SetString(RegistryRoot::kLocalMachine, service, "ImagePath", "s.exe");
    registry.CreateKey(RegistryRoot::kLocalMachine,
                       "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                       "Browser Helper Objects\\{" + n + "}");
  }
  MemoryLibrary tasks;
  MemoryLibrary subscriptions;
  MemoryProgramFacts programs;
  const Platform platform{registry, environment, files, tasks, programs, subscriptions};
  const FixedAreaSwitches switches;
  EntryTables tables;
  for (auto _ : state) {
    TakeSnapshotScan(platform, switches, tables);
    benchmark::DoNotOptimize(tables.baseline.Count());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tables.baseline.Count()));
}

BENCHMARK(SnapshotScan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
