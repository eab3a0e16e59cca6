// The costs that grow with the machine, on the Windows build:
//  1. a quiet poll cycle with 5,000 shortcuts in the user's Startup folder;
//  2. one poll cycle that removes 10,000 blacklisted Run values (with their
//     backups, in a data folder of the bench's own);
//  3. the longest time a window message of the running program waits for an
//     answer while it removes 10,000 new Run values that the user declined
//     with one answer (a thread here sends it a message every 10 ms).
// Everything planted goes again at the end, also the program's data folder.
// Usage: corvane_growth_bench PATH-OF-corvane.exe [SHORTCUTS BLACKLISTED FLOOD]
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "automation/answer_watch.h"
#include "automation/input.h"
#include "automation/message_box.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "bench_support.h"
#include "changes/inventory.h"
#include "changes/poll_cycle.h"
#include "platform/errors.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/com_owners.h"
#include "platform/win32/framework/win32_clock.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_facts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_event_subscriptions.h"
#include "platform/win32/win32_task_scheduler.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::Utf8;
using win32::Wide;

constexpr int kQuietRounds = 9;
constexpr wchar_t kRunPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The flood's removal may take long before it is made quick; beyond this it failed.
constexpr DWORD kFloodPatience = 30 * 60 * 1000;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Milliseconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return MillisecondsSince(start);
}

std::string Numbered(const char* prefix, int i) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%05d", prefix, i);
  return name;
}

// A folder of the bench's own under %TEMP%, taken away whole when this goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = Utf8(temp, std::wcslen(temp)) + name + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(Wide(path_).c_str(), nullptr);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Wide(path_)), ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Run values of the current user named PREFIX00000, PREFIX00001..., deleted
// again (those still there) when this goes.
class PlantedRunValues {
 public:
  PlantedRunValues(const char* prefix, int count) : prefix_(prefix), count_(count) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kRunPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    key_.Receive(), nullptr);
    Delete();
  }
  ~PlantedRunValues() { Delete(); }
  PlantedRunValues(const PlantedRunValues&) = delete;
  PlantedRunValues& operator=(const PlantedRunValues&) = delete;

  void Plant() {
    unplanted_ = Count();
    for (int i = 0; i < count_; ++i) {
      const auto data = Wide("C:\\growth\\" + Name(i) + ".exe");
      RegSetValueExW(key_.get(), Wide(Name(i)).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()),
                     DWORD((data.size() + 1) * sizeof(wchar_t)));
    }
  }
  // Cheap enough to ask often: one call, however many were planted.
  bool AnyLeft() const { return Count() > unplanted_; }
  int Left() const {
    int left = 0;
    for (int i = 0; i < count_; ++i) {
      if (RegQueryValueExW(key_.get(), Wide(Name(i)).c_str(), nullptr, nullptr, nullptr, nullptr) ==
          ERROR_SUCCESS) {
        ++left;
      }
    }
    return left;
  }
  std::string Name(int i) const { return Numbered(prefix_, i); }

 private:
  void Delete() {
    for (int i = 0; i < count_; ++i) RegDeleteValueW(key_.get(), Wide(Name(i)).c_str());
  }
  DWORD Count() const {
    DWORD values = 0;
    RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    return values;
  }
  const char* prefix_;
  int count_;
  DWORD unplanted_ = 0;  // the values of the key before planting
  win32::RegistryKey key_;
};

// The file system, with the time its flushes of many files take.
class TimedFlushes : public Win32FileSystem {
 public:
  void FlushWritten(const std::function<void()>& meanwhile) override {
    flush_ms += Milliseconds([&] { Win32FileSystem::FlushWritten(meanwhile); });
  }
  double flush_ms = 0;
};

// The real platform, with a cycle that keeps whatever is new unless the
// blacklist of `data_folder` names it.
struct BenchCycle {
  explicit BenchCycle(const std::string& data_folder) : data{data_folder} {}
  Win32Registry registry;
  Win32Environment environment;
  TimedFlushes files;
  Win32TaskScheduler tasks;
  Win32EventSubscriptions subscriptions;
  Win32ProgramFacts programs;
  Platform platform{registry, environment, files, tasks, programs, subscriptions};
  FixedAreaSwitches switches;
  EntryTables tables;
  bench::KeepingUser user;
  bench::StillTimer timer;
  bench::NoBoxes boxes;
  win32::Win32Clock clock;
  DataFiles data;
  bench::CountedNotices notices;
  CycleContext context{platform, data, switches, tables, user, timer, boxes, clock, notices};
};

// A shell link as the shell makes one, to the system's notepad.
bool MakeShortcut(const std::wstring& path) {
  win32::ComPtr<IShellLinkW> link;
  win32::ComPtr<IPersistFile> file;
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.ReceiveVoid())) &&
         SUCCEEDED(link->SetPath((std::wstring(windows) + L"\\notepad.exe").c_str())) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) &&
         SUCCEEDED(file->Save(path.c_str(), TRUE));
}

void QuietCycleWithShortcuts(int count) {
  const TempFolder scratch("corvane-growth-links-");
  BenchCycle cycle(scratch.path());
  const auto folder = cycle.environment.ShellFolderPath(ShellFolder::kStartup) + "\\";
  std::vector<std::wstring> made;
  const auto model = Wide(scratch.path() + "model.lnk");
  if (!MakeShortcut(model)) {
    std::printf("1. no shortcut could be made\n");
    return;
  }
  // Copies of one link, which cost far less to make than links made one by one.
  for (int i = 0; i < count; ++i) {
    made.push_back(Wide(folder + Numbered("cvgrowth", i) + ".lnk"));
    CopyFileW(model.c_str(), made.back().c_str(), TRUE);
  }
  TakeBaselineInventory(cycle.platform, cycle.switches, cycle.tables);
  const double first = Milliseconds([&] { RunPollCycle(cycle.context); });
  std::vector<double> rounds;
  for (int i = 0; i < kQuietRounds; ++i) {
    rounds.push_back(Milliseconds([&] { RunPollCycle(cycle.context); }));
  }
  std::sort(rounds.begin(), rounds.end());
  std::printf(
      "1. quiet poll cycle with %d Startup shortcuts: median %.0f ms of %d (%.0f to %.0f ms), "
      "the first after the baseline %.0f ms\n",
      count, rounds[rounds.size() / 2], kQuietRounds, rounds.front(), rounds.back(), first);
  for (const auto& path : made) DeleteFileW(path.c_str());
}

void BlacklistedRemoval(int count) {
  const TempFolder data("corvane-growth-data-");
  BenchCycle cycle(data.path());
  PlantedRunValues values("CvGrowth", count);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(values.Name(i));
  cycle.files.WriteLines(cycle.data.Blacklist(), names);
  TakeBaselineInventory(cycle.platform, cycle.switches, cycle.tables);
  values.Plant();
  const double ms = Milliseconds([&] { RunPollCycle(cycle.context); });
  std::printf(
      "2. one poll cycle removing %d blacklisted Run values: %.1f s, of which the flush of "
      "their backups %.1f s (%d left, %zu backups, %d balloons)\n",
      count, ms / 1000, cycle.files.flush_ms / 1000, values.Left(),
      cycle.files.FindFiles(data.path() + texts::kBackupsFolder + "\\*").size(),
      cycle.notices.count);
}

// The program's windows, also hidden ones, by their caption.
struct WindowSearch {
  DWORD process_id;
  std::wstring caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM pointer) {
  auto& search = *reinterpret_cast<WindowSearch*>(pointer);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (owner != search.process_id || search.caption != text) return TRUE;
  search.found = window;
  return FALSE;
}

HWND WindowOf(DWORD process_id, const std::string& caption) {
  WindowSearch search{process_id, Wide(caption), nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void FloodAnsweredAtOnce(const std::string& built_program, int count) {
  const TempFolder folder("corvane-growth-flood-");
  const auto program_path = folder.path() + "corvane.exe";
  if (!CopyFileW(Wide(built_program).c_str(), Wide(program_path).c_str(), FALSE)) {
    std::printf("3. cannot copy %s\n", built_program.c_str());
    return;
  }
  const bench::OptionsSetAside options;
  PlantedRunValues values("CvFlood", count);
  const auto failed = [](const char* what) { std::printf("3. %s\n", what); };
  {
    automation::Process program(program_path, {});
    const automation::KernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.id()));
    if (!program.started() || WaitForInputIdle(process.get(), automation::kPatience) != 0) {
      return failed("corvane.exe did not start");
    }
    const std::string caption = std::string(texts::kMainCaptionPrefix) + texts::kProgramVersion;
    HWND main = nullptr;
    automation::WaitUntil([&] { return (main = WindowOf(program.id(), caption)) != nullptr; });
    // Planted while the watch is paused (the main window restored), so that
    // one cycle finds all of them.
    PostMessageW(main, WM_COMMAND, 101, 0);
    automation::WaitUntil([&] { return IsWindowVisible(main) != FALSE; });
    values.Plant();
    automation::Click(automation::ChildWithText(main, texts::kCancelButton).window);
    automation::WaitUntilHidden(main);
    automation::AnswerWatch scan_watch(main, kFloodPatience);
    PostMessageW(main, WM_TIMER, 1, 0);

    const HWND alert = automation::WaitForWindow(program.id(), texts::kAlertCaption, 60000);
    scan_watch.Stop();
    const auto same_text = FormatText(texts::kSameAnswerNew, GroupedDigits(count - 1));
    HWND same = nullptr;
    if (alert == nullptr || !automation::WaitUntil([&] {
          return (same = automation::ChildWithText(alert, same_text).window) != nullptr;
        })) {
      return failed("no alert offered the same answer for the flood");
    }
    automation::Click(same);
    automation::WaitUntil([&] { return SendMessageW(same, BM_GETCHECK, 0, 0) == BST_CHECKED; });
    automation::AnswerWatch watch(main, kFloodPatience);
    const auto answered = std::chrono::steady_clock::now();
    automation::PressKey(alert, VK_ESCAPE);  // No, for all of them
    automation::WaitUntil(
        [&] { return !values.AnyLeft() || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; },
        kFloodPatience);
    const double removal = MillisecondsSince(answered);
    // The cycle ends with the flush of the backups and a message box.
    const auto box = automation::WaitForMessageBox(program.id(), texts::kInformationTitle, 60000);
    watch.Stop();
    std::printf(
        "3. flood of %d new Run values declined at once: the longest wait of a window message "
        "%.0f ms (%d answered), removed in %.1f s%s; before its alert the longest wait %.0f ms\n",
        count, watch.longest_ms(), watch.answered(), removal / 1000,
        values.AnyLeft() ? " (NOT ALL)" : "", scan_watch.longest_ms());
    if (box.window != nullptr) automation::PressOk(box);
    PostMessageW(main, WM_CLOSE, 0, 0);
    program.WaitForExit(automation::kPatience);
  }
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  if (argc != 2 && argc != 5) {
    std::fprintf(stderr,
                 "usage: corvane_growth_bench PATH-OF-corvane.exe [SHORTCUTS BLACKLISTED FLOOD]\n");
    return 2;
  }
  const auto count = [&](int at, int otherwise) {
    return argc == 5 ? std::atoi(argv[at]) : otherwise;
  };
  const win32::ComApartment apartment;
  if (const int shortcuts = count(2, 5000)) QuietCycleWithShortcuts(shortcuts);
  std::fflush(stdout);
  if (const int blacklisted = count(3, 10000)) BlacklistedRemoval(blacklisted);
  std::fflush(stdout);
  if (const int flood = count(4, 10000); flood > 1) FloodAnsweredAtOnce(argv[1], flood);
  return 0;
}
