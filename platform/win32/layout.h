#pragma once
// Windows placed by layouts kept in twips.

#include <windows.h>

namespace veilpix {

struct TwipsRect {
  double left, top, width, height;
};

// The outer size of a window of `style` whose client area is the given size in twips.
SIZE FrameAroundClient(double width_twips, double height_twips, DWORD style, int dpi);

// Where a window of `size` stands centred on the primary screen.
POINT CentredOnScreen(SIZE size);

// A visible child window at its place in the parent's client area, drawn in `font`. Where the
// layout overlaps two children, the one made first stays whole.
HWND CreateChild(HWND parent, int id, const wchar_t* window_class, DWORD style, DWORD ex_style,
                 const TwipsRect& place, HFONT font, int dpi);

}  // namespace veilpix
