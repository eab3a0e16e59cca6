#include "platform/win32/framework/font_cache.h"

#include "platform/win32/wide.h"

namespace corvane::win32 {

HFONT FontCache::Get(const FontStyle& style) {
  for (const Entry& entry : fonts_) {
    if (entry.face == style.face && entry.height == style.height && entry.bold == style.bold &&
        entry.underline == style.underline) {
      return entry.font.get();
    }
  }
  FontHandle font(CreateFontW(style.height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE,
                              style.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              Wide(style.face).c_str()));
  if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HFONT made = font.get();
  fonts_.push_back(Entry{style.face, style.height, style.bold, style.underline, std::move(font)});
  return made;
}

}  // namespace corvane::win32
