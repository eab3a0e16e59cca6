// One control of a form, made from its row of the layout table. It owns its
// window and, for a picture button, the bitmap that the button shows.
#pragma once

#include <string>

#include "platform/win32/framework/gui_handles.h"
#include "platform/win32/framework/layout.h"

namespace corvane::win32 {

// A window's text, and new text for it; the window holds UTF-16, the
// program UTF-8.
std::string TextOfWindow(HWND window);
void SetTextOfWindow(HWND window, const std::string& text);

class Control {
 public:
  // Places the control at the layout's position plus `origin` (the top left
  // corner of the group box it lies in, or 0,0) in the form's client area.
  Control(const ControlLayout& layout, int id, HWND form, POINT origin, HFONT font);

  const ControlLayout& layout() const { return layout_; }
  const char* name() const { return layout_.name; }
  int id() const { return id_; }
  HWND handle() const { return window_.get(); }
  bool IsPushButton() const { return layout_.kind == ControlKind::kButton; }

  std::string Text() const;
  // A label with no width in its layout takes the width of the new text,
  // one with no height the height of its font; a picture button gets a
  // picture with the new caption.
  void SetText(const std::string& text);
  bool Enabled() const;
  // Disabling the control that has the focus moves the focus to the next one.
  void SetEnabled(bool enabled);
  // Shown or hidden (also while the form is hidden); a hidden control is out
  // of the tab order.
  bool Visible() const;
  void SetVisible(bool visible);
  // Puts the top left corner there in the form's client area.
  void MoveTo(int left, int top);
  void SetWidth(int width);
  // How wide its text is drawn on one line in its font.
  int TextWidth() const;
  // How wide that text is drawn on one line in its font, and how high a line is.
  SIZE DrawnSize(const std::string& text) const;
  // The smallest size that shows its whole text in its font (with the box
  // of a check box, the picture of a button, the frame of either); 0,0 for
  // controls whose text is not fitted (lists, text boxes, shortened labels).
  SIZE FittingSize() const;
  // Puts the control at that rectangle of the form's client area; its
  // layout follows, so later moves and pictures use the new place and size.
  void Place(const RECT& client_rect);
  bool Focused() const { return GetFocus() == handle(); }
  void Focus() { SetFocus(handle()); }
  bool Checked() const;
  void SetChecked(bool checked);
  // For a new DPI of its screen: the rectangle of the form's client area
  // and the font at that DPI; a label that follows its text fits it again.
  void Rescale(int dpi, const RECT& client_rect, HFONT font, int font_height);
  // Draws a push button with the thick border of the button Enter clicks.
  void ShowAsDefault(bool is_default);

 private:
  void ShowGlyph();
  void Redraw(const std::string& text);
  void FitToText();
  // Pixels of the toolkit's own (96 dpi) in those of the control's screen.
  int Scaled(int pixels) const;

  ControlLayout layout_;
  int id_;
  POINT origin_;  // the layout's position is relative to this
  int dpi_;
  // A picture button's glyph, either with the caption drawn in (picture_)
  // or alone for a button with visual styles (glyph_images_). Both outlive
  // the window that shows them.
  bool themed_ = false;
  BitmapHandle picture_;
  ImageListHandle glyph_images_;
  WindowHandle window_;
};

// How a control of a resizable window follows the window's growth: it grows
// as much, or moves with the right or bottom edge, in either direction.
struct Follows {
  bool grow_x = false;
  bool grow_y = false;
  bool move_x = false;
  bool move_y = false;
};
void FollowGrowth(Control& control, int dx, int dy, Follows how);

}  // namespace corvane::win32
