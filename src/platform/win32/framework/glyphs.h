// The small pictures on buttons, drawn in code: a check mark for OK and Yes,
// a cross for Cancel, a barred circle for No, a sheet with a red bar for Delete.
#pragma once

#include <windows.h>

#include "platform/win32/framework/layout.h"

namespace corvane::win32 {

inline constexpr int kGlyphSize = 16;

// Draws the glyph into the square of that size (kGlyphSize at 96 dpi) whose
// top left corner is given.
void DrawGlyph(HDC dc, Glyph glyph, int left, int top, int size = kGlyphSize);

}  // namespace corvane::win32
