#pragma once

#include <windows.h>

namespace veilpix {

// Dots per inch of the screen, for turning layouts in twips into pixels.
inline int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace veilpix
