// The Startup entries window with many entries, in the running program:
// how soon it is up with every row after the user asks for it, how soon
// every row's program, publisher and signature are in, and the longest
// time meanwhile that a window message of the program waits for an answer
// (a thread here sends it one every 10 ms); then the same for a second
// opening, which finds the signatures known. The entries are Run values of
// the user, each starting one of the programs of the system folder in turn.
// Usage: corvane_list_bench PATH-OF-corvane.exe [ENTRIES]
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "automation/answer_watch.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "bench_support.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::Utf8;
using win32::Wide;

constexpr DWORD kPatience = 5 * 60 * 1000;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

std::vector<std::string> SystemPrograms() {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::vector<std::string> found;
  WIN32_FIND_DATAW file{};
  const win32::FindHandle search(
      FindFirstFileW((std::wstring(system) + L"\\*.exe").c_str(), &file));
  if (!search) return found;
  do {
    found.push_back(Utf8(system, wcslen(system)) + "\\" +
                    Utf8(file.cFileName, wcslen(file.cFileName)));
  } while (FindNextFileW(search.get(), &file));
  return found;
}

class PlantedValues {
 public:
  explicit PlantedValues(int count) : count_(count) {
    const auto programs = SystemPrograms();
    const win32::RegistryKey run(bench::CreateKey(HKEY_CURRENT_USER, bench::kRunPath));
    for (int i = 0; i < count_; ++i) {
      bench::SetString(
          run.get(), Name(i),
          programs.empty() ? "C:\\none.exe" : '"' + programs[i % programs.size()] + "\" /x");
    }
  }
  ~PlantedValues() {
    const win32::RegistryKey run(bench::CreateKey(HKEY_CURRENT_USER, bench::kRunPath));
    for (int i = 0; i < count_; ++i) RegDeleteValueW(run.get(), Wide(Name(i)).c_str());
  }
  PlantedValues(const PlantedValues&) = delete;
  PlantedValues& operator=(const PlantedValues&) = delete;

 private:
  static std::string Name(int i) { return "CvList" + std::to_string(i); }
  int count_;
};

// One opening: up with its rows, then everything in.
void Open(HWND main, DWORD process_id, int entries, const char* which) {
  automation::AnswerWatch watch(main, kPatience);
  const auto asked = std::chrono::steady_clock::now();
  PostMessageW(main, WM_COMMAND, 109, 0);  // the Startup entries
  HWND window = nullptr;
  HWND list = nullptr;
  const bool up = automation::WaitUntil(
      [&] {
        window = automation::FindWindowOf(process_id, texts::kStartupEntriesCaption);
        if (window == nullptr || !IsWindowVisible(window)) return false;
        list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
        return list != nullptr && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= entries;
      },
      kPatience);
  const double up_ms = MillisecondsSince(asked);
  watch.Stop();
  const double opening_wait = watch.longest_ms();
  automation::AnswerWatch filling(main, kPatience);
  const std::string checking = texts::kCheckingStatus;
  const std::string shown = texts::kShownStatus;
  const std::string shown_tail = shown.substr(shown.rfind("%s") + 2);
  const auto status = [&] {
    for (const auto& child : automation::ChildrenOf(window)) {
      if (child.text.find(shown_tail) != std::string::npos) return child.text;
    }
    return std::string();
  };
  const bool done = up && automation::WaitUntil(
                              [&] {
                                const auto text = status();
                                return !text.empty() && text.find(checking) == std::string::npos;
                              },
                              kPatience);
  const double done_ms = MillisecondsSince(asked);
  filling.Stop();
  std::printf(
      "%s opening with %d entries: up with its rows in %.0f ms%s (the longest wait of a window "
      "message meanwhile %.0f ms), every program, publisher and signature in after %.0f ms%s "
      "(the longest wait meanwhile %.0f ms, %d answered)\n",
      which, entries, up_ms, up ? "" : " (NOT UP)", opening_wait, done_ms,
      done ? "" : " (NOT DONE)", filling.longest_ms(), filling.answered());
  std::printf("  status: %s\n", status().c_str());
  std::fflush(stdout);
  PostMessageW(window, WM_CLOSE, 0, 0);
  automation::WaitUntilHidden(window);
}

void RemoveFolder(const std::wstring& folder) {
  SHFILEOPSTRUCTW remove{};
  std::wstring from = folder;
  from.push_back(L'\0');
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationW(&remove);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: corvane_list_bench PATH-OF-corvane.exe [ENTRIES]\n");
    return 2;
  }
  const int entries = argc == 3 ? std::atoi(argv[2]) : 1000;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"corvane-list-bench\\";
  RemoveFolder(folder);  // a run that was stopped may have left its data
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring program = folder + L"corvane.exe";
  if (!CopyFileW(Wide(argv[1]).c_str(), program.c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy %s\n", argv[1]);
    return 1;
  }
  {
    const bench::OptionsSetAside options;
    const PlantedValues values(entries);
    automation::Process running(Utf8(program), {});
    const std::string caption = std::string(texts::kMainCaptionPrefix) + texts::kProgramVersion;
    HWND main = nullptr;
    const auto started = std::chrono::steady_clock::now();
    automation::WaitUntil(
        // Hidden while it watches, so looked for by its caption alone.
        [&] { return (main = FindWindowW(nullptr, Wide(caption).c_str())) != nullptr; }, kPatience);
    std::printf("started in %.0f ms\n", MillisecondsSince(started));
    std::fflush(stdout);
    if (main == nullptr) {
      std::fprintf(stderr, "corvane.exe did not start (%s, exit code %lu)\n",
                   running.started() ? "started" : "not started",
                   running.WaitForExit(0) ? running.ExitCode() : 0ul);
      return 1;
    }
    Sleep(2000);  // its first baseline
    Open(main, running.id(), entries, "first");
    Open(main, running.id(), entries, "second");
    PostMessageW(main, WM_CLOSE, 0, 0);
    running.WaitForExit(automation::kPatience);
  }
  // What the portable copy kept beside itself goes with the folder.
  RemoveFolder(folder);
  return 0;
}
