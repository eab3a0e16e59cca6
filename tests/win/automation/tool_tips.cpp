#include "automation/tool_tips.h"

#include <commctrl.h>

#include "automation/process.h"
#include "automation/windows.h"

namespace corvane::automation {
namespace {

// The most a tip window copies out (INFOTIPSIZE).
constexpr std::size_t kLongestTip = 1024;

// Memory in another process, freed again when this goes.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* get() const { return static_cast<char*>(address_); }

 private:
  HANDLE process_;
  void* address_;
};

struct Search {
  HWND owner;
  std::vector<HWND> tips;
};

BOOL CALLBACK CollectTips(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (GetWindow(window, GW_OWNER) == search->owner && ClassOf(window) == "TOOLTIPS_CLASS32") {
    search->tips.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::map<HWND, std::string> ToolTipsOf(HWND top_level) {
  std::map<HWND, std::string> tips;
  DWORD process_id = 0;
  GetWindowThreadProcessId(top_level, &process_id);
  const KernelHandle process(OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id));
  if (process.get() == nullptr) return tips;
  Search search{top_level, {}};
  EnumWindows(&CollectTips, reinterpret_cast<LPARAM>(&search));

  const RemoteMemory remote(process.get(), sizeof(TOOLINFOA) + kLongestTip);
  if (remote.get() == nullptr) return tips;
  char* const remote_text = remote.get() + sizeof(TOOLINFOA);
  for (const HWND tip : search.tips) {
    const LRESULT count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
      TOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V1_SIZE;
      tool.lpszText = remote_text;
      const char empty = '\0';
      SIZE_T moved = 0;
      WriteProcessMemory(process.get(), remote.get(), &tool, sizeof tool, &moved);
      WriteProcessMemory(process.get(), remote_text, &empty, 1, &moved);
      const LPARAM record = reinterpret_cast<LPARAM>(remote.get());
      if (!SendMessageA(tip, TTM_ENUMTOOLSA, WPARAM(index), record)) {
        continue;
      }
      char text[kLongestTip + 1] = {};
      ReadProcessMemory(process.get(), remote.get(), &tool, sizeof tool, &moved);
      ReadProcessMemory(process.get(), remote_text, text, kLongestTip, &moved);
      if (tool.uFlags & TTF_IDISHWND) tips[reinterpret_cast<HWND>(tool.uId)] = text;
    }
  }
  return tips;
}

}  // namespace corvane::automation
