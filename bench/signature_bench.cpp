// How fast the signature worker gets through a machine's program files:
// every .exe and .dll of a folder (the system folder by default), checked
// through the worker as a window asks for them, then asked for again
// unchanged, which only looks at size and time. Prints files per second.
//   corvane_signature_bench [FOLDER]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "changes/signature_texts.h"
#include "platform/win32/handles.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_signatures.h"

namespace corvane {
namespace {

constexpr UINT kResults = WM_APP + 1;

std::vector<std::string> ProgramFiles(const std::string& folder) {
  std::vector<std::string> paths;
  WIN32_FIND_DATAW found{};
  const win32::FindHandle search(FindFirstFileW(win32::Wide(folder + "\\*").c_str(), &found));
  if (!search) return paths;
  do {
    const std::string name = win32::Utf8(found.cFileName);
    const auto dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        (extension == ".exe" || extension == ".dll" || extension == ".EXE" ||
         extension == ".DLL")) {
      paths.push_back(folder + "\\" + name);
    }
  } while (FindNextFileW(search.get(), &found));
  return paths;
}

// Asks for every path and waits for the worker's messages until all are known.
double Seconds(win32::SignatureWorker& worker, const std::vector<std::string>& paths, HWND window) {
  const auto start = std::chrono::steady_clock::now();
  worker.Request(paths, window, kResults);
  MSG message{};
  // Each path is asked for again after the first pass, so "all known" alone
  // would end the second pass at once: the last message of a pass comes
  // once its queue is empty.
  while (GetMessageW(&message, window, kResults, kResults) > 0) {
    const auto quiet = std::chrono::steady_clock::now();
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 500, QS_POSTMESSAGE) == WAIT_TIMEOUT) {
      const std::chrono::duration<double> seconds = quiet - start;
      return seconds.count();
    }
  }
  return 0;
}

int Run(int argc, char** argv) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::string folder = argc > 1 ? argv[1] : win32::Utf8(system);
  const auto paths = ProgramFiles(folder);
  const HWND window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const Win32Signatures checks;
  win32::SignatureWorker worker(checks);
  const double first = Seconds(worker, paths, window);
  const double again = Seconds(worker, paths, window);
  int verified = 0, not_signed = 0, not_valid = 0, other = 0;
  for (const auto& path : paths) {
    switch (worker.Known(path).state) {
      case SignatureState::kVerified:
        ++verified;
        break;
      case SignatureState::kNotSigned:
        ++not_signed;
        break;
      case SignatureState::kNotValid:
        ++not_valid;
        break;
      default:
        ++other;
        break;
    }
  }
  std::printf("%zu program files in %s: %d verified, %d not signed, %d not valid, %d other\n",
              paths.size(), folder.c_str(), verified, not_signed, not_valid, other);
  std::printf("first check   %8.3f s %10.0f files/s\n", first, paths.size() / first);
  std::printf("asked again   %8.3f s %10.0f files/s (size and time only)\n", again,
              paths.size() / again);
  DestroyWindow(window);
  return 0;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) { return corvane::Run(argc, argv); }
