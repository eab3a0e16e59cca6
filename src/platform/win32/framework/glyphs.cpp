#include "platform/win32/framework/glyphs.h"

#include "platform/win32/framework/gui_handles.h"

namespace corvane::win32 {
namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(192, 0, 0);
constexpr COLORREF kDarkGray = RGB(64, 64, 64);

void Strokes(HDC dc, COLORREF color, int width, const POINT* points, int count) {
  const PenHandle pen(CreatePen(PS_SOLID, width, color));
  const Selection use(dc, pen.get());
  Polyline(dc, points, count);
}

void CheckMark(HDC dc, int x, int y) {
  const POINT mark[] = {{x + 3, y + 8}, {x + 6, y + 11}, {x + 13, y + 4}};
  Strokes(dc, kGreen, 3, mark, 3);
}

void Cross(HDC dc, int x, int y) {
  const POINT down[] = {{x + 4, y + 4}, {x + 12, y + 12}};
  const POINT up[] = {{x + 12, y + 4}, {x + 4, y + 12}};
  Strokes(dc, kRed, 3, down, 2);
  Strokes(dc, kRed, 3, up, 2);
}

void BarredCircle(HDC dc, int x, int y) {
  const PenHandle pen(CreatePen(PS_SOLID, 2, kRed));
  const Selection use_pen(dc, pen.get());
  const Selection hollow(dc, GetStockObject(NULL_BRUSH));
  Ellipse(dc, x + 2, y + 2, x + 15, y + 15);
  const POINT bar[] = {{x + 5, y + 5}, {x + 12, y + 12}};
  Polyline(dc, bar, 2);
}

void SheetWithBar(HDC dc, int x, int y) {
  {
    const PenHandle pen(CreatePen(PS_SOLID, 1, kDarkGray));
    const Selection use_pen(dc, pen.get());
    const Selection white(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, x + 2, y + 1, x + 12, y + 15);
    for (int line = y + 4; line <= y + 8; line += 2) {
      const POINT text[] = {{x + 4, line}, {x + 10, line}};
      Polyline(dc, text, 2);
    }
  }
  const BrushHandle red(CreateSolidBrush(kRed));
  const RECT bar{x + 6, y + 10, x + 16, y + 14};
  FillRect(dc, &bar, red.get());
}

}  // namespace

void DrawGlyph(HDC dc, Glyph glyph, int left, int top, int size) {
  // The strokes are drawn for kGlyphSize; a larger square scales them, pen
  // widths with them, rather than a bitmap that would blur.
  const bool scaled = size != kGlyphSize && SetGraphicsMode(dc, GM_ADVANCED) != 0;
  XFORM old_transform{};
  if (scaled) {
    GetWorldTransform(dc, &old_transform);
    const FLOAT scale = FLOAT(size) / kGlyphSize;
    const XFORM transform{scale, 0, 0, scale, FLOAT(left), FLOAT(top)};
    SetWorldTransform(dc, &transform);
    left = 0;
    top = 0;
  }
  switch (glyph) {
    case Glyph::kOk:
    case Glyph::kYes:
      CheckMark(dc, left, top);
      break;
    case Glyph::kCancel:
      Cross(dc, left, top);
      break;
    case Glyph::kNo:
      BarredCircle(dc, left, top);
      break;
    case Glyph::kDelete:
      SheetWithBar(dc, left, top);
      break;
    case Glyph::kNone:
      break;
  }
  if (scaled) SetWorldTransform(dc, &old_transform);
}

}  // namespace corvane::win32
