// The face of a picture button: its glyph beside its caption.
//
// With the common controls of version 6 (visual styles, which the program's
// manifest asks for) the button draws its caption itself and takes the
// glyph from an image list. Older versions draw either a bitmap or the text,
// so there the caption is drawn into the bitmap together with the glyph; the
// window text stays the caption all the same, for mnemonics and readers.
#pragma once

#include <string>

#include "platform/win32/framework/gui_handles.h"
#include "platform/win32/framework/layout.h"

namespace corvane::win32 {

// The glyph alone, in a square of `size`, on a transparent ground, for a
// button with visual styles.
ImageListHandle MakeGlyphImages(Glyph glyph, int size);

// Glyph and caption side by side, centred, in the button colours, for a
// button of the given outer size; '&' underlines the next letter. Frame
// and spacing grow with `dpi`.
BitmapHandle MakeButtonPicture(Glyph glyph, const std::string& caption, HFONT font,
                               int button_width, int button_height, int dpi);

}  // namespace corvane::win32
