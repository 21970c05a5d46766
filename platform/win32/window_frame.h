#pragma once

#include <windows.h>

namespace veilpix {

// The outer size of a window of `style` whose client area is the given size in twips.
SIZE FrameAroundClient(double width_twips, double height_twips, DWORD style, int dpi);

// Where a window of `size` stands centred on the primary screen.
POINT CentredOnScreen(SIZE size);

}  // namespace veilpix
