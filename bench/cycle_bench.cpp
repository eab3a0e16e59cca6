// The poll cycle against the bare loop, in turns, on a machine made
// realistic for the run (bench::RealisticMachine). The bare loop makes only
// the calls that no scan of the same places can avoid: each key opened and
// listed, each service's Start and ImagePath read once, each folder listed,
// each INI file read, the task library listed. A quiet cycle finds nothing new;
// a cycle with a change finds one new Run value, which it keeps.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "changes/poll_cycle.h"
#include "monitor/entry_kinds.h"
#include "monitor/snapshot_scan.h"
#include "monitor/startup_entry.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace corvane {
namespace {

using win32::Wide;

constexpr int kRounds = 15;
using bench::CreateKey;
using bench::kRunValues;
using bench::SetString;
const std::string kRunPath = bench::kRunPath;

class NoClock : public Clock {
 public:
  Timestamp Now() const override { return {}; }
};

// The calls a scan of the same places cannot do without.
class BareLoop {
 public:
  BareLoop(const Environment& environment, DefinitionLibrary& tasks)
      : environment_(environment), tasks_(tasks) {}

  std::size_t operator()() {
    std::size_t items = 0;
    for (const auto& kind : EntryKinds()) {
      if (kind.reads != Reads::kValueNames) continue;
      for (const auto& key : kind.keys) {
        for (const auto& path : ViewsOf(key)) items += ListValues(Root(key.root_code), path);
      }
    }
    HKEY services = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services", 0,
                      KEY_READ | KEY_WOW64_64KEY, &services) == ERROR_SUCCESS) {
      const win32::RegistryKey owned(services);
      wchar_t name[256];
      for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(services, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
          break;
        }
        HKEY service = nullptr;
        if (RegOpenKeyExW(services, name, 0, KEY_READ | KEY_WOW64_64KEY, &service) !=
            ERROR_SUCCESS) {
          continue;
        }
        const win32::RegistryKey owned_service(service);
        BYTE data[512];
        DWORD size = sizeof data;
        RegQueryValueExW(service, L"Start", nullptr, nullptr, data, &size);
        size = sizeof data;
        RegQueryValueExW(service, L"ImagePath", nullptr, nullptr, data, &size);
        ++items;
      }
    }
    for (const auto id : {ShellFolder::kStartup, ShellFolder::kCommonStartup}) {
      items += ListFolder(environment_.ShellFolderPath(id));
    }
    const auto windows = environment_.Get("windir");
    for (const char* ini : {"\\win.ini", "\\system.ini"}) {
      const win32::FileHandle file(CreateFileW(Wide(windows + ini).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                               nullptr));
      char bytes[4096];
      DWORD got = 0;
      if (file) ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr);
    }
    if (const auto listed = tasks_.Names()) items += listed->size();
    return items;
  }

 private:
  static HKEY Root(char root_code) {
    return root_code == kLocalMachineRootCode ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  }
  static std::size_t ListValues(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(path.substr(1)).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
      return 0;
    }
    const win32::RegistryKey owned(key);
    wchar_t name[16384];
    std::size_t count = 0;
    for (DWORD index = 0;; ++index) {
      DWORD length = 16384;
      if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        return count;
      }
      ++count;
    }
  }
  static std::size_t ListFolder(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    const win32::FindHandle search(FindFirstFileW(Wide(folder + "\\*").c_str(), &found));
    std::size_t count = 0;
    if (!search) return count;
    while (FindNextFileW(search.get(), &found)) ++count;
    return count;
  }

  const Environment& environment_;
  DefinitionLibrary& tasks_;
};

double Milliseconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace
}  // namespace corvane

int main() {
  using namespace corvane;
  const win32::ComApartment apartment;
  Win32Platform windows;
  Platform& platform = windows.platform;
  platform.event_log = nullptr;  // a bench decides nothing
  auto& environment = windows.environment;
  const bench::RealisticMachine machine(environment.ShellFolderPath(ShellFolder::kStartup));

  FixedAreaSwitches switches;
  EntryTables tables;
  bench::KeepingUser user;
  bench::StillTimer timer;
  bench::NoBoxes boxes;
  NoClock clock;
  const DataFiles data{"C:\\nonexistent-corvane-bench\\"};
  bench::CountedNotices notices;
  CycleContext context{platform, data, switches, tables, user, timer, boxes, clock, notices};
  TakeSnapshotScan(platform, switches, tables);
  BareLoop bare_loop(environment, windows.tasks);
  std::printf("entries in a scan: %zu\n", tables.baseline.Count());

  // The cycles after a change signal: of the user's Run row (whose type
  // code is its root code) and of the services row.
  const auto user_run = RowSelection::Only(std::string(1, kCurrentUserRootCode));
  const auto services = RowSelection::Only(std::string(
      1, std::find_if(EntryKinds().begin(), EntryKinds().end(), [](const EntryKind& kind) {
           return kind.area == Area::kServices;
         })->type_code));

  // In turns, so that whatever else the machine does weighs on all alike.
  std::vector<double> bare_ms, quiet_ms, change_ms, run_row_ms, run_change_ms, services_row_ms;
  for (int round = 0; round < kRounds; ++round) {
    bare_ms.push_back(Milliseconds([&] { bare_loop(); }));
    quiet_ms.push_back(Milliseconds([&] { RunPollCycle(context); }));
    const win32::RegistryKey run(CreateKey(HKEY_CURRENT_USER, kRunPath));
    SetString(run.get(), "CvBench" + std::to_string(kRunValues + round), "C:\\bench\\new.exe");
    change_ms.push_back(Milliseconds([&] { RunPollCycle(context); }));
    run_row_ms.push_back(Milliseconds([&] { RunPollCycle(context, user_run); }));
    services_row_ms.push_back(Milliseconds([&] { RunPollCycle(context, services); }));
    SetString(run.get(), "CvBench" + std::to_string(kRunValues + kRounds + round),
              "C:\\bench\\new.exe");
    run_change_ms.push_back(Milliseconds([&] { RunPollCycle(context, user_run); }));
  }
  const double bare = Median(bare_ms);
  std::printf(
      "median of %d rounds: bare loop %.1f ms, quiet cycle %.1f ms, cycle with a change %.1f ms\n",
      kRounds, bare, Median(quiet_ms), Median(change_ms));
  std::printf("quiet cycle / two bare loops: %.2f\n", Median(quiet_ms) / (2 * bare));
  // Every few scans each Startup shortcut is read whole: the mean counts those too.
  double quiet_total = 0;
  for (const double ms : quiet_ms) quiet_total += ms;
  std::printf("mean quiet cycle / two bare loops: %.2f\n", quiet_total / kRounds / (2 * bare));
  std::printf("cycle with a change / two bare loops: %.2f\n", Median(change_ms) / (2 * bare));
  std::printf(
      "median cycle of one row: user's Run row %.1f ms quiet, %.1f ms with a change; "
      "services row %.1f ms quiet\n",
      Median(run_row_ms), Median(run_change_ms), Median(services_row_ms));
  // Where a quiet cycle's time goes: the rows that took a few milliseconds.
  RunPollCycle(context);
  std::printf("rows of 2 ms or more in a quiet cycle:");
  for (const auto& [code, ms] : tables.scan_ms) {
    if (ms >= 2) std::printf(" %c %u ms;", code, ms);
  }
  std::printf("\n");
  return 0;
}
