// Text never cut off: the layouts were drawn for one font, the system may
// draw a wider one. A control too small for its text grows to the right
// (and down); whatever lies to its right on the same rows moves along by as
// much, a group box grows around what it holds, and the window grows so
// that its right and bottom margins stay. A layout that fits stays exactly
// as it is.
#include <algorithm>
#include <climits>
#include <numeric>
#include <vector>

#include "platform/win32/framework/form.h"

namespace corvane::win32 {
namespace {

RECT ClientRectOf(HWND control, HWND form) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRows(const RECT& a, const RECT& b) { return a.top < b.bottom && b.top < a.bottom; }

bool Holds(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

void Form::FitControlsToText() {
  fitted_width_ = layout_.client_width;
  const std::size_t count = controls_.size();
  if (count == 0) return;
  std::vector<RECT> before(count);
  for (std::size_t index = 0; index < count; ++index) {
    before[index] = ClientRectOf(controls_[index].handle(), handle());
  }
  std::vector<RECT> after = before;

  const auto is_group = [this](std::size_t index) {
    return controls_[index].layout().kind == ControlKind::kGroupBox;
  };
  // The group box each control lies in (by place, as the main window lays
  // some out), or `count` for the form itself.
  std::vector<std::size_t> holder(count, count);
  for (std::size_t group = 0; group < count; ++group) {
    if (!is_group(group)) continue;
    for (std::size_t inner = 0; inner < count; ++inner) {
      if (!is_group(inner) && Holds(before[group], before[inner])) holder[inner] = group;
    }
  }
  // Moves what lies to the right of the grown control, on its rows and in
  // the same group box, along; a group box takes what it holds with it.
  const auto push_right = [&](std::size_t grown, LONG old_right, LONG by) {
    for (std::size_t other = 0; other < count; ++other) {
      if (other == grown || holder[other] != holder[grown]) continue;
      if (after[other].left < old_right || !SameRows(after[other], after[grown])) continue;
      OffsetRect(&after[other], by, 0);
      for (std::size_t inner = 0; inner < count; ++inner) {
        if (holder[inner] == other) OffsetRect(&after[inner], by, 0);
      }
    }
  };
  const auto widen_to = [&](std::size_t index, LONG right) {
    const LONG old_right = after[index].right;
    if (right <= old_right) return;
    after[index].right = right;
    push_right(index, old_right, right - old_right);
  };

  // Left to right, so that a control moved by another then grows from its
  // new place; group boxes last, around what they hold by then.
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (is_group(a) != is_group(b)) return is_group(b);
    return before[a].left < before[b].left;
  });
  for (const std::size_t index : order) {
    const SIZE needed = controls_[index].FittingSize();
    after[index].bottom = std::max(after[index].bottom, after[index].top + needed.cy);
    widen_to(index, after[index].left + needed.cx);
    if (!is_group(index)) continue;
    // A group box keeps the smallest margin of what it holds.
    LONG margin = LONG_MAX;
    LONG right = 0;
    for (std::size_t inner = 0; inner < count; ++inner) {
      if (holder[inner] != index) continue;
      margin = std::min(margin, before[index].right - before[inner].right);
      right = std::max(right, after[inner].right);
    }
    if (margin != LONG_MAX) widen_to(index, right + margin);
  }

  // The window keeps its smallest margins at the right and at the bottom.
  LONG margin_x = LONG_MAX;
  LONG margin_y = LONG_MAX;
  LONG right = 0;
  LONG bottom = 0;
  bool changed = false;
  for (std::size_t index = 0; index < count; ++index) {
    margin_x = std::min(margin_x, std::max<LONG>(0, layout_.client_width - before[index].right));
    margin_y = std::min(margin_y, std::max<LONG>(0, layout_.client_height - before[index].bottom));
    right = std::max(right, after[index].right);
    bottom = std::max(bottom, after[index].bottom);
    if (!EqualRect(&before[index], &after[index])) {
      controls_[index].Place(after[index]);
      changed = true;
    }
  }
  if (!changed) return;
  const int width = std::max<int>(layout_.client_width, right + margin_x);
  const int height = std::max<int>(layout_.client_height, bottom + margin_y);
  if (width != layout_.client_width || height != layout_.client_height) {
    SetClientSize(width, height);
  }
  fitted_width_ = width;
}

}  // namespace corvane::win32

namespace corvane::win32 {

void Form::DpiChanged(int dpi, const RECT& suggested) {
  if (dpi > 0 && dpi != dpi_) {
    const int old_dpi = dpi_;
    const auto rescaled = [dpi, old_dpi](LONG pixels) {
      return LONG(MulDiv(pixels, dpi, old_dpi));
    };
    // All places first, from where the controls stand now (the form may
    // have moved or grown them since it was made), then the new ones.
    std::vector<RECT> places(controls_.size());
    for (std::size_t index = 0; index < controls_.size(); ++index) {
      const RECT now = ClientRectOf(controls_[index].handle(), handle());
      places[index] = RECT{rescaled(now.left), rescaled(now.top), rescaled(now.right),
                           rescaled(now.bottom)};
    }
    dpi_ = dpi;
    for (std::size_t index = 0; index < controls_.size(); ++index) {
      FontStyle font = controls_[index].layout().font;
      font.height = Scaled(font_heights_[index]);
      controls_[index].Rescale(dpi, places[index], fonts_.Get(font), font.height);
    }
    layout_.client_width = rescaled(layout_.client_width);
    layout_.client_height = rescaled(layout_.client_height);
    // What the system draws at its own DPI (a check box's box) need not
    // shrink with the rest.
    FitControlsToText();
  }
  // Where Windows suggests, but never smaller than the texts need.
  RECT frame{0, 0, layout_.client_width, layout_.client_height};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(handle(), GWL_STYLE)),
                     GetMenu(handle()) != nullptr, DWORD(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
  const LONG width = std::max(suggested.right - suggested.left, frame.right - frame.left);
  const LONG height = std::max(suggested.bottom - suggested.top, frame.bottom - frame.top);
  SetWindowPos(handle(), nullptr, suggested.left, suggested.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane::win32
