#include "automation/tool_tips.h"

#include <commctrl.h>

#include <cwchar>

#include "automation/process.h"
#include "automation/windows.h"
#include "platform/win32/wide.h"

namespace corvane::automation {
namespace {

// The most a tip window copies out (INFOTIPSIZE), in UTF-16 units.
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

  constexpr std::size_t kTextBytes = (kLongestTip + 1) * sizeof(wchar_t);
  const RemoteMemory remote(process.get(), sizeof(TOOLINFOW) + kTextBytes);
  if (remote.get() == nullptr) return tips;
  auto* const remote_text = reinterpret_cast<wchar_t*>(remote.get() + sizeof(TOOLINFOW));
  for (const HWND tip : search.tips) {
    const LRESULT count = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
      TOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V1_SIZE;
      tool.lpszText = remote_text;
      const wchar_t empty = L'\0';
      SIZE_T moved = 0;
      WriteProcessMemory(process.get(), remote.get(), &tool, sizeof tool, &moved);
      WriteProcessMemory(process.get(), remote_text, &empty, sizeof empty, &moved);
      const LPARAM record = reinterpret_cast<LPARAM>(remote.get());
      if (!SendMessageW(tip, TTM_ENUMTOOLSW, WPARAM(index), record)) {
        continue;
      }
      wchar_t text[kLongestTip + 1] = {};
      ReadProcessMemory(process.get(), remote.get(), &tool, sizeof tool, &moved);
      ReadProcessMemory(process.get(), remote_text, text, kLongestTip * sizeof(wchar_t), &moved);
      if (tool.uFlags & TTF_IDISHWND) {
        tips[reinterpret_cast<HWND>(tool.uId)] = win32::Utf8(text, std::wcslen(text));
      }
    }
  }
  return tips;
}

}  // namespace corvane::automation
