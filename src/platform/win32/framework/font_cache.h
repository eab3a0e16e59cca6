// The fonts of one form, made once per face, height and style and kept until
// the form goes; a control's colour is not part of its font.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/framework/gui_handles.h"
#include "platform/win32/framework/layout.h"

namespace corvane::win32 {

class FontCache {
 public:
  // The font for the style; the stock GUI font should the face be unavailable.
  HFONT Get(const FontStyle& style);

 private:
  struct Entry {
    std::string face;
    int height;
    bool bold;
    bool underline;
    FontHandle font;
  };
  std::vector<Entry> fonts_;
};

}  // namespace corvane::win32
