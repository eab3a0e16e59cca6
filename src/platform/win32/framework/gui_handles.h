// Owners for the user-interface handles the toolkit makes: windows, fonts,
// bitmaps, pens, brushes, icons, menus, image lists and device contexts. Each releases its handle in its
// destructor and nowhere else; the handle shared by a window (a menu set on
// it, a child destroyed with its parent) is let go of with release().
#pragma once

#include <utility>

// Brings windows.h in the way every Corvane file sees it.
#include "platform/win32/handles.h"

#include <commctrl.h>

namespace corvane::win32 {

// The owner of handles.h, under the name the toolkit knows it by.
template <typename Handle, typename Traits>
using GuiHandle = OwnedHandle<Handle, Traits>;

struct WindowTraits : NullIsNone {
  static void Free(HWND window) { DestroyWindow(window); }
};
struct GdiObjectTraits : NullIsNone {
  static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct IconTraits : NullIsNone {
  static void Free(HICON icon) { DestroyIcon(icon); }
};
struct MenuTraits : NullIsNone {
  static void Free(HMENU menu) { DestroyMenu(menu); }
};
struct ImageListTraits : NullIsNone {
  static void Free(HIMAGELIST images) { ImageList_Destroy(images); }
};
struct MemoryDcTraits : NullIsNone {
  static void Free(HDC dc) { DeleteDC(dc); }
};

using WindowHandle = GuiHandle<HWND, WindowTraits>;
using FontHandle = GuiHandle<HFONT, GdiObjectTraits>;
using BitmapHandle = GuiHandle<HBITMAP, GdiObjectTraits>;
using PenHandle = GuiHandle<HPEN, GdiObjectTraits>;
using BrushHandle = GuiHandle<HBRUSH, GdiObjectTraits>;
using IconHandle = GuiHandle<HICON, IconTraits>;
using MenuHandle = GuiHandle<HMENU, MenuTraits>;
using ImageListHandle = GuiHandle<HIMAGELIST, ImageListTraits>;
// A device context from CreateCompatibleDC.
using MemoryDc = GuiHandle<HDC, MemoryDcTraits>;

// A system resource id (IDC_ARROW, IDI_ERROR...) for the W functions: the
// headers give these numbers as narrow-string pointers, but they are no text.
inline LPCWSTR SystemResource(LPCSTR id) { return reinterpret_cast<LPCWSTR>(id); }

// The device context of a window's client area (or of the screen for null),
// from GetDC and given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context for one scope, so that the
// object is never deleted while still selected.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace corvane::win32
