#include "platform/win32/framework/clipboard.h"

#include <cstring>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

struct GlobalMemoryTraits : NullIsNone {
  static void Free(HGLOBAL memory) { GlobalFree(memory); }
};
// Memory for the clipboard until SetClipboardData takes it over.
using GlobalMemory = OwnedHandle<HGLOBAL, GlobalMemoryTraits>;

// The clipboard, open for this scope.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool PutOnClipboard(HWND owner, const std::string& text) {
  const std::wstring wide = Wide(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* const locked = GlobalLock(memory.get());
  if (locked == nullptr) return false;
  std::memcpy(locked, wide.c_str(), bytes);
  GlobalUnlock(memory.get());

  const OpenClipboardScope clipboard(owner);
  if (!clipboard.open() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard's now
  return true;
}

}  // namespace corvane::win32
