#include "automation/text_fit.h"

#include <commctrl.h>

#include "automation/windows.h"
#include "platform/win32/wide.h"

namespace corvane::automation {
namespace {

// The least room beside the text that shows it whole: a check box's box and
// a gap, a button's border and focus rectangle, a group box's caption indent.
constexpr int kCheckGap = 4;
constexpr int kButtonFrame = 3;
constexpr int kPicture = 16 + 4;  // a glyph and the gap after it
constexpr int kCaptionIndent = 7;

// Another process's button cannot be asked for its image list (the message
// carries a pointer), so there every push button is taken to have a picture.
bool HasPicture(const ControlInfo& button) {
  if ((button.style & BS_BITMAP) != 0) return true;
  DWORD process = 0;
  GetWindowThreadProcessId(button.window, &process);
  if (process != GetCurrentProcessId()) return true;
  BUTTON_IMAGELIST images{};
  SendMessageW(button.window, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
  return images.himl != nullptr;
}

}  // namespace

std::vector<std::string> CutTexts(HWND window, HFONT font) {
  std::vector<std::string> cut;
  const SIZE client = ClientSize(window);
  for (const ControlInfo& control : ChildrenOf(window)) {
    if (!control.visible) continue;
    if (control.rect.left < 0 || control.rect.top < 0 || control.rect.right > client.cx ||
        control.rect.bottom > client.cy) {
      cut.push_back("outside the window: " + control.text);
    }
    const DWORD type = DWORD(control.style) & BS_TYPEMASK;
    const bool group_box = control.class_name == "BUTTON" && type == BS_GROUPBOX;
    int room = 0;
    if (control.class_name == "STATIC") {
      // A shortened label draws "..." by design; the window holds its text.
      if ((control.style & SS_PATHELLIPSIS) == SS_PATHELLIPSIS) continue;
    } else if (control.class_name == "BUTTON" &&
               (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)) {
      room = GetSystemMetrics(SM_CXMENUCHECK) + kCheckGap;
    } else if (group_box) {
      room = 2 * kCaptionIndent;
    } else if (control.class_name == "BUTTON" && type <= BS_DEFPUSHBUTTON) {
      room = 2 * kButtonFrame + (HasPicture(control) ? kPicture : 0);
    } else {
      continue;
    }
    const HDC dc = GetDC(control.window);
    const HFONT used =
        font != nullptr ? font
                        : reinterpret_cast<HFONT>(SendMessageW(control.window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, used);
    const std::wstring text = win32::Wide(control.text);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control.window, dc);
    // A group box's caption sits on its top line, not in a row of its own.
    const int height = group_box ? 0 : metrics.tmHeight;
    if (control.width() < size.cx + room || control.height() < height) {
      cut.push_back(control.class_name + " \"" + control.text + "\" " +
                    std::to_string(control.width()) + "x" + std::to_string(control.height()) +
                    " for " + std::to_string(size.cx + room) + "x" + std::to_string(height));
    }
  }
  return cut;
}

}  // namespace corvane::automation
