// A form's layout as a table of controls, written the way the layout tables
// of the windows read: kind, name, left, top, width, height, text, then the
// properties that differ from the defaults, e.g.
//   Button("BitBtn1", 112, 184, 75, 25, texts::kYesButton).Picture(Glyph::kYes).Default()
// Positions are client-area pixels of the form (of the parent control for a
// control placed inside a group box).
#pragma once

#include <windows.h>

#include "platform/user_interface.h"

namespace corvane::win32 {

// A colour that stands for the system's own text colour.
inline constexpr COLORREF kSystemColor = CLR_INVALID;

struct FontStyle {
  const char* face = "MS Sans Serif";
  int height = -11;  // 8 point on a 96 dpi screen
  bool bold = false;
  bool underline = false;
  COLORREF color = kSystemColor;  // the system's text colour

  constexpr FontStyle Face(const char* name, int pixel_height) const {
    FontStyle font = *this;
    font.face = name;
    font.height = pixel_height;
    return font;
  }
  constexpr FontStyle Height(int pixel_height) const {
    FontStyle font = *this;
    font.height = pixel_height;
    return font;
  }
  constexpr FontStyle Bold() const {
    FontStyle font = *this;
    font.bold = true;
    return font;
  }
  constexpr FontStyle Underline() const {
    FontStyle font = *this;
    font.underline = true;
    return font;
  }
  constexpr FontStyle Color(COLORREF rgb) const {
    FontStyle font = *this;
    font.color = rgb;
    return font;
  }
};

// The standard dialog font and its 10 point size.
inline constexpr FontStyle kDialogFont{};
inline constexpr int kTenPoint = -13;
// For text that comes from outside, such as entry names and log lines: the
// bitmap dialog font has no glyphs beyond Western scripts, while this face
// is one the system links to fonts of other scripts (CJK among them). Of
// the same size, so the layouts stay as they are.
inline constexpr FontStyle kNamesFont = kDialogFont.Face("MS Shell Dlg 2", kDialogFont.height);

enum class ControlKind { kLabel, kCheckBox, kGroupBox, kButton, kListBox, kMemo, kEdit, kListView };

// The standard pictures of the buttons, and one of our own for Delete.
enum class Glyph { kNone, kOk, kCancel, kYes, kNo, kDelete };

struct ControlLayout {
  ControlKind kind = ControlKind::kLabel;
  const char* name = "";
  int left = 0;
  int top = 0;
  int width = 0;  // labels with no width take the width of their text
  int height = 0;
  const char* text = "";
  FontStyle font = kDialogFont;
  int tab_order = -1;  // -1: not a tab stop
  Glyph glyph = Glyph::kNone;
  bool is_default = false;  // Enter clicks it
  bool is_cancel = false;   // Esc clicks it
  bool disabled = false;
  bool checked = false;
  ModalResult result = ModalResult::kNone;  // closes a modal form when clicked
  const char* hint = nullptr;               // tool tip
  bool shortened = false;  // see ShortenedLabel
  const char* parent = nullptr;             // a group box's name, or the form
  const char* enter_clicks = nullptr;       // the button Enter clicks while this has the focus
  bool multi_select = false;                // a list view whose rows Ctrl and Shift select together
  bool owner_data = false;                  // a virtual list view, see Virtual

  constexpr ControlLayout Font(const FontStyle& style) const {
    ControlLayout control = *this;
    control.font = style;
    return control;
  }
  constexpr ControlLayout TabOrder(int order) const {
    ControlLayout control = *this;
    control.tab_order = order;
    return control;
  }
  constexpr ControlLayout Picture(Glyph picture) const {
    ControlLayout control = *this;
    control.glyph = picture;
    return control;
  }
  constexpr ControlLayout Default() const {
    ControlLayout control = *this;
    control.is_default = true;
    return control;
  }
  constexpr ControlLayout Cancel() const {
    ControlLayout control = *this;
    control.is_cancel = true;
    return control;
  }
  constexpr ControlLayout Disabled() const {
    ControlLayout control = *this;
    control.disabled = true;
    return control;
  }
  constexpr ControlLayout Checked() const {
    ControlLayout control = *this;
    control.checked = true;
    return control;
  }
  constexpr ControlLayout Result(ModalResult closes_with) const {
    ControlLayout control = *this;
    control.result = closes_with;
    return control;
  }
  constexpr ControlLayout Hint(const char* tip) const {
    ControlLayout control = *this;
    control.hint = tip;
    return control;
  }
  constexpr ControlLayout EnterClicks(const char* button) const {
    ControlLayout control = *this;
    control.enter_clicks = button;
    return control;
  }
  constexpr ControlLayout MultiSelect() const {
    ControlLayout control = *this;
    control.multi_select = true;
    return control;
  }
  // A list view that holds no rows itself: its owner tells the count and
  // answers LVN_GETDISPINFO for the rows shown, and sorts them on a click
  // of a heading. So ten thousand rows open at once.
  constexpr ControlLayout Virtual() const {
    ControlLayout control = *this;
    control.owner_data = true;
    return control;
  }
  constexpr ControlLayout Inside(const char* group_box) const {
    ControlLayout control = *this;
    control.parent = group_box;
    return control;
  }
};

constexpr ControlLayout Make(ControlKind kind, const char* name, int left, int top, int width,
                             int height, const char* text) {
  ControlLayout control;
  control.kind = kind;
  control.name = name;
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  control.text = text;
  return control;
}

// A label as wide and high as its text.
constexpr ControlLayout Label(const char* name, int left, int top, const char* text) {
  return Make(ControlKind::kLabel, name, left, top, 0, 0, text);
}
// A label of fixed width and as high as its text. A text too long for it is
// drawn with "..." in its middle, keeping the end after the last "\" as a
// path's last part; the window holds the whole text.
constexpr ControlLayout ShortenedLabel(const char* name, int left, int top, int width,
                                       const char* text) {
  ControlLayout control = Make(ControlKind::kLabel, name, left, top, width, 0, text);
  control.shortened = true;
  return control;
}
constexpr ControlLayout CheckBox(const char* name, int left, int top, int width, int height,
                                 const char* text) {
  return Make(ControlKind::kCheckBox, name, left, top, width, height, text);
}
constexpr ControlLayout GroupBox(const char* name, int left, int top, int width, int height,
                                 const char* text) {
  return Make(ControlKind::kGroupBox, name, left, top, width, height, text);
}
constexpr ControlLayout Button(const char* name, int left, int top, int width, int height,
                               const char* text) {
  return Make(ControlKind::kButton, name, left, top, width, height, text);
}
constexpr ControlLayout ListBox(const char* name, int left, int top, int width, int height) {
  return Make(ControlKind::kListBox, name, left, top, width, height, "");
}
// A read-only multi-line text box whose lines wrap, without scroll bars.
constexpr ControlLayout Memo(const char* name, int left, int top, int width, int height) {
  return Make(ControlKind::kMemo, name, left, top, width, height, "");
}
// A one-line text box that the user types into.
constexpr ControlLayout Edit(const char* name, int left, int top, int width, int height) {
  return Make(ControlKind::kEdit, name, left, top, width, height, "");
}
// A table of rows under column headings (see list_view.h): one row is
// selected at a time (unless MultiSelect), by a click anywhere on it; a text
// too long for its column ends in "...".
constexpr ControlLayout ListView(const char* name, int left, int top, int width, int height) {
  return Make(ControlKind::kListView, name, left, top, width, height, "");
}

// A top-level window centred on the screen with a fixed single border; its
// caption buttons are the system menu and close unless asked otherwise.
struct FormLayout {
  const char* caption = "";
  int client_width = 0;
  int client_height = 0;
  bool topmost = false;
  bool minimize_box = false;
  bool maximize_box = false;
  // A sizing border; the window never gets smaller than its layout.
  bool sizeable = false;

  constexpr FormLayout OnTop() const {
    FormLayout form = *this;
    form.topmost = true;
    return form;
  }
  constexpr FormLayout Sizeable() const {
    FormLayout form = *this;
    form.sizeable = true;
    return form;
  }
  constexpr FormLayout MinimizeAndMaximize() const {
    FormLayout form = *this;
    form.minimize_box = true;
    form.maximize_box = true;
    return form;
  }
};

constexpr FormLayout Window(const char* caption, int client_width, int client_height) {
  FormLayout form;
  form.caption = caption;
  form.client_width = client_width;
  form.client_height = client_height;
  return form;
}

}  // namespace corvane::win32
