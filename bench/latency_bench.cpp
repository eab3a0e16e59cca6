// How soon a new Run value is put to the user, and what the program costs
// while nothing changes. Starts the corvane.exe it is given, writes 20 Run
// values at random moments, times each from the write to its alert being up
// (then keeps it, with Enter), then leaves it 35 seconds without changes,
// for its CPU time. The options file is put aside for the run and back after it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "automation/input.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "bench_support.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::Wide;

constexpr int kWrites = 20;
constexpr int kIdleSeconds = 35;  // bench/run.sh reads 30 s of them
const wchar_t kRunPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

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
  if (argc != 2) {
    std::fprintf(stderr, "usage: corvane_latency_bench PATH-OF-corvane.exe\n");
    return 2;
  }
  const bench::OptionsSetAside options;
  automation::Process program(argv[1], {});
  const automation::KernelHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.id()));
  if (!program.started() || WaitForInputIdle(process.get(), automation::kPatience) != 0) {
    std::fprintf(stderr, "corvane.exe did not start\n");
    return 1;
  }

  std::mt19937 random(12345);
  std::uniform_int_distribution<int> pause_ms(200, 3000);
  std::vector<double> latencies;
  for (int i = 0; i < kWrites; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms(random)));
    WriteRunValue(Name(i), false);
    const auto written = std::chrono::steady_clock::now();
    HWND alert = nullptr;
    automation::WaitUntil([&] {
      alert = automation::FindWindowOf(program.id(), texts::kAlertCaption);
      return alert != nullptr;
    }, 15000);
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
    std::printf("alert latency over %zu writes: median %.0f ms, worst %.0f ms\n", latencies.size(),
                latencies[latencies.size() / 2], latencies.back());
  }

  // Wine tells no other process's CPU time; bench/run.sh reads it from the
  // system while this line is the last one.
  std::printf("idle for %d s\n", kIdleSeconds);
  std::fflush(stdout);
  const double before = CpuMilliseconds(process.get());
  std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
  std::printf("CPU of corvane.exe over %d s without changes, as Windows tells it: %.0f ms\n",
              kIdleSeconds, CpuMilliseconds(process.get()) - before);

  for (int i = 0; i < kWrites; ++i) WriteRunValue(Name(i), true);
  return 0;
}
