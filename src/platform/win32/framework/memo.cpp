#include "platform/win32/framework/memo.h"

namespace corvane::win32 {

void SetMemoLines(const Control& memo, const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    if (index > 0) text += "\r\n";
    text += lines[index];
  }
  SetTextOfWindow(memo.handle(), text);
  // An empty selection at the end, scrolled into view.
  const auto end = static_cast<WPARAM>(GetWindowTextLengthW(memo.handle()));
  SendMessageW(memo.handle(), EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(memo.handle(), EM_SCROLLCARET, 0, 0);
}

}  // namespace corvane::win32
