#include "platform/win32/framework/button_picture.h"

#include <algorithm>

#include "platform/win32/framework/dpi.h"
#include "platform/win32/framework/glyphs.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

// The button keeps its border and focus rectangle around the picture.
constexpr int kFrame = 3;
constexpr int kSpacing = 4;  // between glyph and caption
// Not a colour of any glyph; it marks the transparent ground of the images.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

}  // namespace

ImageListHandle MakeGlyphImages(Glyph glyph, int size) {
  ImageListHandle images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
  const WindowDc screen(nullptr);
  const BitmapHandle picture(CreateCompatibleBitmap(screen.get(), size, size));
  const MemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!images || !picture || !dc) return images;
  {
    const Selection use_picture(dc.get(), picture.get());
    const RECT all{0, 0, size, size};
    const BrushHandle ground(CreateSolidBrush(kTransparent));
    FillRect(dc.get(), &all, ground.get());
    DrawGlyph(dc.get(), glyph, 0, 0, size);
  }
  // The bitmap must not be selected into a device context when it is added.
  ImageList_AddMasked(images.get(), picture.get(), kTransparent);
  return images;
}

BitmapHandle MakeButtonPicture(Glyph glyph, const std::string& caption, HFONT font,
                               int button_width, int button_height, int dpi) {
  const int frame = ScaledToDpi(kFrame, dpi);
  const int glyph_size = ScaledToDpi(kGlyphSize, dpi);
  const int width = std::max(1, button_width - 2 * frame);
  const int height = std::max(1, button_height - 2 * frame);
  const WindowDc screen(nullptr);
  BitmapHandle picture(CreateCompatibleBitmap(screen.get(), width, height));
  const MemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!picture || !dc) return picture;

  const Selection use_picture(dc.get(), picture.get());
  const Selection use_font(dc.get(), font);
  const RECT all{0, 0, width, height};
  FillRect(dc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));

  const std::wstring shown = Wide(caption);
  RECT text{0, 0, 0, 0};
  DrawTextW(dc.get(), shown.c_str(), int(shown.size()), &text, DT_CALCRECT | DT_SINGLELINE);
  const int text_width = text.right - text.left;
  const int glyph_width = glyph == Glyph::kNone ? 0 : glyph_size + ScaledToDpi(kSpacing, dpi);
  const int left = std::max(0, (width - glyph_width - text_width) / 2);
  if (glyph != Glyph::kNone) {
    DrawGlyph(dc.get(), glyph, left, (height - glyph_size) / 2, glyph_size);
  }

  text = RECT{left + glyph_width, 0, width, height};
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc.get(), shown.c_str(), int(shown.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  return picture;
}

}  // namespace corvane::win32
