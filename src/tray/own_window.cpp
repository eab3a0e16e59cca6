#include "tray/own_window.h"

#include <vector>

namespace corvane {
namespace {

struct Search {
  const std::string* title;
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  // The process is checked first: it costs no message, and a window of
  // another program is never ours whatever it is called.
  if (process_id != search.process_id) return TRUE;
  // One character more than the title: a longer text then cannot match.
  std::vector<char> text(search.title->size() + 2);
  GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  if (search.title->compare(text.data()) != 0) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

HWND FindOwnTopLevelWindow(const std::string& title) {
  Search search{&title, GetCurrentProcessId(), nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace corvane
