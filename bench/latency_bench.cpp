// How soon a new Run value is put to the user, and what the program costs
// while nothing changes and while a service's key is written nonstop, on a
// machine made realistic for the run (bench::RealisticMachine). Starts the
// corvane.exe it is given, writes 20 Run values at random moments, times
// each from the write to its alert being up (then keeps it, with Enter),
// then leaves it 35 seconds without changes, for its CPU time. Then a value
// below a test service's key is written every 20-50 ms, as Windows' own
// services do all the time: 35 seconds for the CPU time, then 10 more Run
// values timed while the writes go on. The options file is put aside for
// the run and back after it.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "automation/input.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "bench_support.h"
#include "changes/data_files.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_environment.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::Wide;

constexpr int kWrites = 20;
constexpr int kIdleSeconds = 35;  // bench/run.sh reads 30 s of them
constexpr int kBusySeconds = 35;  // likewise
constexpr int kBusyWrites = 10;   // Run values timed while the service's key is written
const wchar_t kRunPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Disabled, so that it is no entry: only its writes count.
const wchar_t kBusyServicePath[] = L"SYSTEM\\CurrentControlSet\\Services\\CvBenchBusyService";

std::string Name(int i) { return "CvLatency" + std::to_string(i); }

void WriteRunValue(const std::string& name, bool remove) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const win32::RegistryKey owned(key);
  if (remove) {
    RegDeleteValueW(key, Wide(name).c_str());
    return;
  }
  const wchar_t data[] = L"C:\\latency\\tool.exe";
  RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                 sizeof data);
}

// Writes a number below the test service's key every 20-50 ms while it lives.
class BusyService {
 public:
  BusyService() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kBusyServicePath, 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return;
    }
    key_ = win32::RegistryKey(key);
    const DWORD disabled = 4;
    RegSetValueExW(key, L"Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&disabled),
                   sizeof disabled);
    const wchar_t image[] = L"C:\\latency\\busy.exe";
    RegSetValueExW(key, L"ImagePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(image),
                   sizeof image);
  }
  ~BusyService() {
    Stop();
    if (key_) RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kBusyServicePath, KEY_WOW64_64KEY, 0);
  }
  BusyService(const BusyService&) = delete;
  BusyService& operator=(const BusyService&) = delete;

  void Start() {
    if (!key_) return;
    writer_ = std::thread([this] {
      std::mt19937 random(54321);
      std::uniform_int_distribution<int> pause_ms(20, 50);
      for (DWORD count = 0; !stop_; ++count) {
        RegSetValueExW(key_.get(), L"Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                       sizeof count);
        ++writes_;
        std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms(random)));
      }
    });
  }
  void Stop() {
    stop_ = true;
    if (writer_.joinable()) writer_.join();
  }
  int writes() const { return writes_; }

 private:
  win32::RegistryKey key_;
  std::thread writer_;
  std::atomic<bool> stop_{false};
  std::atomic<int> writes_{0};
};

// Writes Run values with the given names at random moments and prints the
// median and worst time from a write to its alert; each alert is answered
// Yes (keep).
void TimeAlerts(const automation::Process& program, int first, int count, const char* what) {
  std::mt19937 random(12345 + first);
  std::uniform_int_distribution<int> pause_ms(200, 3000);
  std::vector<double> latencies;
  for (int i = first; i < first + count; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms(random)));
    WriteRunValue(Name(i), false);
    const auto written = std::chrono::steady_clock::now();
    HWND alert = nullptr;
    automation::WaitUntil(
        [&] {
          alert = automation::FindWindowOf(program.id(), texts::kAlertCaption);
          return alert != nullptr;
        },
        15000);
    const std::chrono::duration<double, std::milli> latency =
        std::chrono::steady_clock::now() - written;
    if (alert == nullptr) {
      std::printf("write %2d: no alert within 15 s\n", i + 1);
      continue;
    }
    latencies.push_back(latency.count());
    std::printf("write %2d: alert after %7.0f ms\n", i + 1, latency.count());
    automation::PressKey(alert, VK_RETURN);  // Yes: keep it
    automation::WaitUntilHidden(alert);
  }
  std::sort(latencies.begin(), latencies.end());
  if (!latencies.empty()) {
    std::printf("alert latency%s over %zu writes: median %.0f ms, worst %.0f ms\n", what,
                latencies.size(), latencies[latencies.size() / 2], latencies.back());
  }
}

// The program's user and kernel time, in milliseconds.
double CpuMilliseconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  const auto ms = [](const FILETIME& time) {
    return ((ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  if (argc != 2 || std::strrchr(argv[1], '\\') == nullptr) {
    std::fprintf(stderr, "usage: corvane_latency_bench PATH-OF-corvane.exe\n");
    return 2;
  }
  const bench::OptionsSetAside options;
  // Without the seal's key and a kept baseline, the program starts as on
  // the first start of its version and takes a fresh baseline of the
  // machine, which a baseline kept by an earlier run would not hold. Both
  // folders the program may keep them in: beside it, and in the profile.
  const win32::ComApartment apartment;
  const Win32Environment environment;
  std::vector<std::unique_ptr<bench::FileSetAside>> set_aside;
  for (const auto& folder :
       {std::string(argv[1], std::strrchr(argv[1], '\\') - argv[1]), UserDataFolder(environment)}) {
    for (const char* name : {texts::kSealKeyFile, texts::kSavedBaselineFile}) {
      set_aside.push_back(
          std::make_unique<bench::FileSetAside>(Wide(folder + '\\' + name), std::nullopt));
    }
  }
  const bench::RealisticMachine machine(environment.ShellFolderPath(ShellFolder::kStartup));
  automation::Process program(argv[1], {});
  const automation::KernelHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.id()));
  if (!program.started() || WaitForInputIdle(process.get(), automation::kPatience) != 0) {
    std::fprintf(stderr, "corvane.exe did not start\n");
    return 1;
  }

  TimeAlerts(program, 0, kWrites, "");

  // Wine tells no other process's CPU time; bench/run.sh reads it from the
  // system while this line is the last one.
  std::printf("idle for %d s\n", kIdleSeconds);
  std::fflush(stdout);
  const double before = CpuMilliseconds(process.get());
  std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
  std::printf("CPU of corvane.exe over %d s without changes, as Windows tells it: %.0f ms\n",
              kIdleSeconds, CpuMilliseconds(process.get()) - before);

  {
    BusyService busy;
    // The key's making is a change of its own: its cycle passes first.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    busy.Start();
    std::printf("service written for %d s\n", kBusySeconds);
    std::fflush(stdout);
    const double busy_before = CpuMilliseconds(process.get());
    std::this_thread::sleep_for(std::chrono::seconds(kBusySeconds));
    std::printf("CPU of corvane.exe over %d s of service writes, as Windows tells it: %.0f ms\n",
                kBusySeconds, CpuMilliseconds(process.get()) - busy_before);
    TimeAlerts(program, kWrites, kBusyWrites, " while a service's key is written");
    busy.Stop();
    std::printf("writes below the service's key: %d\n", busy.writes());
  }

  for (int i = 0; i < kWrites + kBusyWrites; ++i) WriteRunValue(Name(i), true);
  return 0;
}
