#include "platform/win32/framework/control.h"

#include <algorithm>
#include <utility>

#include "platform/win32/framework/button_picture.h"
#include "platform/win32/framework/dpi.h"
#include "platform/win32/framework/glyphs.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

// Between a themed button's left edge and its glyph.
constexpr LONG kGlyphMargin = 4;
// Around a push button's text: its border, focus rectangle and some air.
constexpr int kButtonPadding = 6;
// Between a glyph and the caption beside it.
constexpr int kGlyphSpacing = 4;
// Between a check box's box and its text, with room for the focus rectangle.
constexpr int kCheckGap = 9;
// Before and after a group box's caption on its top line.
constexpr int kCaptionIndent = 10;

struct WindowKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

WindowKind KindOf(const ControlLayout& layout) {
  switch (layout.kind) {
    case ControlKind::kLabel:
      // SS_NOTIFY: a label can be clicked and can show its own pointer.
      return {L"STATIC",
              DWORD(SS_LEFT | SS_NOPREFIX | SS_NOTIFY) | (layout.shortened ? SS_PATHELLIPSIS : 0),
              0};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | BS_NOTIFY, 0};
    case ControlKind::kGroupBox:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::kButton:
      // BS_NOTIFY tells the form when a button takes the focus, which then
      // becomes the button that Enter clicks.
      return {L"BUTTON",
              DWORD(layout.is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, 0};
    case ControlKind::kListBox:
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kMemo:
      // Without ES_AUTOHSCROLL the lines wrap at the box's width.
      return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kEdit:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kListView:
      // LVS_SHOWSELALWAYS: the row that the buttons act on stays marked
      // while a button has the focus.
      return {WC_LISTVIEWW,
              LVS_REPORT | (layout.multi_select ? 0u : DWORD(LVS_SINGLESEL)) | LVS_SHOWSELALWAYS |
                  (layout.owner_data ? DWORD(LVS_OWNERDATA) : DWORD(LVS_NOSORTHEADER)),
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

}  // namespace

Control::Control(const ControlLayout& layout, int id, HWND form, POINT origin, HFONT font)
    : layout_(layout), id_(id), origin_(origin), dpi_(DpiOf(form)) {
  const WindowKind kind = KindOf(layout);
  // WS_CLIPSIBLINGS: a group box must not paint over the controls inside it.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style;
  // A group box has a place in the tab order for the controls inside it,
  // but never takes the focus itself.
  const bool focusable =
      layout.kind != ControlKind::kLabel && layout.kind != ControlKind::kGroupBox;
  if (layout.tab_order >= 0 && focusable) style |= WS_TABSTOP;
  if (layout.disabled) style |= WS_DISABLED;
  window_ = WindowHandle(CreateWindowExW(
      kind.extended_style, kind.window_class, Wide(layout.text).c_str(), style,
      origin.x + layout.left, origin.y + layout.top, layout.width, layout.height, form,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr));
  SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (layout.kind == ControlKind::kMemo) SendMessageW(handle(), EM_SETLIMITTEXT, 0, 0);
  if (layout.kind == ControlKind::kListView) {
    // A click anywhere on a row selects it; a cut text shows whole in a tip.
    const LPARAM extended = LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
    SendMessageW(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  }
  if (layout.checked) SetChecked(true);
  if (layout.glyph != Glyph::kNone) ShowGlyph();
  Redraw(layout.text);
}

void Control::ShowGlyph() {
  // Only the buttons of the newer common controls take an image list; the
  // others say so by answering the message with FALSE.
  glyph_images_ = MakeGlyphImages(layout_.glyph, Scaled(kGlyphSize));
  BUTTON_IMAGELIST images{glyph_images_.get(), RECT{Scaled(kGlyphMargin), 0, 0, 0},
                          BUTTON_IMAGELIST_ALIGN_LEFT};
  const LPARAM list = reinterpret_cast<LPARAM>(&images);
  themed_ = SendMessageW(handle(), BCM_SETIMAGELIST, 0, list) != FALSE;
  if (themed_) return;
  glyph_images_ = ImageListHandle();
  SetWindowLongPtrW(handle(), GWL_STYLE, GetWindowLongPtrW(handle(), GWL_STYLE) | BS_BITMAP);
}

std::string TextOfWindow(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, &text[0], int(text.size()))));
  return Utf8(text);
}

void SetTextOfWindow(HWND window, const std::string& text) {
  SetWindowTextW(window, Wide(text).c_str());
}

std::string Control::Text() const { return TextOfWindow(handle()); }

void Control::SetText(const std::string& text) {
  SetTextOfWindow(handle(), text);
  Redraw(text);
}

void Control::Redraw(const std::string& text) {
  if (layout_.glyph != Glyph::kNone && !themed_) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0));
    // The button lets go of the old picture before it is deleted.
    BitmapHandle picture =
        MakeButtonPicture(layout_.glyph, text, font, layout_.width, layout_.height, dpi_);
    SendMessageW(handle(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    picture_ = std::move(picture);
  }
  FitToText();
}

int Control::Scaled(int pixels) const { return ScaledToDpi(pixels, dpi_); }

bool Control::Enabled() const { return IsWindowEnabled(handle()) != FALSE; }

void Control::SetEnabled(bool enabled) {
  // A disabled window keeps no focus, and a form without one takes no keys
  // (not even Esc): the focus moves on to the next control first.
  if (!enabled && GetFocus() == handle()) {
    const HWND next = GetNextDlgTabItem(GetParent(handle()), handle(), FALSE);
    if (next != nullptr && next != handle()) SetFocus(next);
  }
  EnableWindow(handle(), enabled ? TRUE : FALSE);
}

// Its own flag: IsWindowVisible also asks the form, hidden between two showings.
bool Control::Visible() const {
  return (GetWindowLongPtrW(handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) { ShowWindow(handle(), visible ? SW_SHOWNA : SW_HIDE); }

void Control::MoveTo(int left, int top) {
  SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetWidth(int width) {
  RECT shown{};
  GetWindowRect(handle(), &shown);
  SetWindowPos(handle(), nullptr, 0, 0, width, shown.bottom - shown.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::TextWidth() const {
  const WindowDc dc(handle());
  const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0));
  const Selection use_font(dc.get(), font);
  const std::wstring text = Wide(Text());
  RECT extent{0, 0, 0, 0};
  // A label shows "&" as it is; elsewhere it marks the access key.
  const UINT prefix = layout_.kind == ControlKind::kLabel ? DT_NOPREFIX : 0;
  DrawTextW(dc.get(), text.c_str(), int(text.size()), &extent,
            DT_CALCRECT | DT_SINGLELINE | prefix);
  return extent.right - extent.left;
}

bool Control::Checked() const {
  return SendMessageW(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Control::SetChecked(bool checked) {
  SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Control::ShowAsDefault(bool is_default) {
  if (!IsPushButton()) return;
  // BM_SETSTYLE takes the whole style word on some systems and only the
  // button type on others; handing the whole word suits both.
  const DWORD style = DWORD(GetWindowLongPtrW(handle(), GWL_STYLE)) & 0xFFFF & ~DWORD(BS_TYPEMASK);
  SendMessageW(handle(), BM_SETSTYLE, style | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
               TRUE);
}

SIZE Control::DrawnSize(const std::string& text) const {
  const WindowDc dc(handle());
  const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0));
  const Selection use_font(dc.get(), font);
  const std::wstring wide = Wide(text);
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc.get(), wide.c_str(), int(wide.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  size.cy = std::max<LONG>(size.cy, metrics.tmHeight);
  return size;
}

void Control::FitToText() {
  if (layout_.kind != ControlKind::kLabel || (layout_.width != 0 && layout_.height != 0)) return;
  const SIZE size = DrawnSize(Text());
  RECT shown{};
  GetWindowRect(handle(), &shown);
  const int width = layout_.width != 0 ? int(shown.right - shown.left) : int(size.cx);
  SetWindowPos(handle(), nullptr, 0, 0, width, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane::win32

namespace corvane::win32 {

SIZE Control::FittingSize() const {
  const ControlKind kind = layout_.kind;
  const bool has_text = kind == ControlKind::kLabel || kind == ControlKind::kCheckBox ||
                        kind == ControlKind::kButton || kind == ControlKind::kGroupBox;
  if (!has_text || layout_.shortened) return SIZE{0, 0};
  const SIZE text_size = DrawnSize(Text());
  const int width = text_size.cx;
  const int height = text_size.cy;
  switch (kind) {
    case ControlKind::kCheckBox: {
      const int box = GetSystemMetrics(SM_CXMENUCHECK);
      return SIZE{box + Scaled(kCheckGap) + width, std::max(box, height + Scaled(2))};
    }
    case ControlKind::kButton: {
      int picture = 0;
      if (layout_.glyph != Glyph::kNone) {
        picture = Scaled(kGlyphSize + kGlyphSpacing + (themed_ ? kGlyphMargin : 0));
      }
      return SIZE{2 * Scaled(kButtonPadding) + picture + width,
                  std::max(height, picture > 0 ? Scaled(kGlyphSize) : 0) + Scaled(kButtonPadding)};
    }
    case ControlKind::kGroupBox:
      return SIZE{2 * Scaled(kCaptionIndent) + width, height};
    default:
      return SIZE{width, height};
  }
}

void Control::Rescale(int dpi, const RECT& client_rect, HFONT font, int font_height) {
  origin_ = POINT{MulDiv(origin_.x, dpi, dpi_), MulDiv(origin_.y, dpi, dpi_)};
  dpi_ = dpi;
  layout_.font.height = font_height;
  SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (themed_) ShowGlyph();
  Place(client_rect);
  Redraw(Text());
  InvalidateRect(handle(), nullptr, TRUE);
}

void Control::Place(const RECT& client_rect) {
  const int width = client_rect.right - client_rect.left;
  const int height = client_rect.bottom - client_rect.top;
  SetWindowPos(handle(), nullptr, client_rect.left, client_rect.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  layout_.left = client_rect.left - origin_.x;
  layout_.top = client_rect.top - origin_.y;
  // A label of no width or height keeps following its text.
  if (layout_.width != 0) layout_.width = width;
  if (layout_.height != 0) layout_.height = height;
  if (layout_.glyph != Glyph::kNone && !themed_) Redraw(Text());
}

void FollowGrowth(Control& control, int dx, int dy, Follows how) {
  const ControlLayout& now = control.layout();
  const int left = now.left + (how.move_x ? dx : 0);
  const int top = now.top + (how.move_y ? dy : 0);
  control.Place(RECT{left, top, left + now.width + (how.grow_x ? dx : 0),
                     top + now.height + (how.grow_y ? dy : 0)});
}

}  // namespace corvane::win32
