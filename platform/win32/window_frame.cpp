#include "platform/win32/window_frame.h"

#include "platform/twips.h"

namespace veilpix {

SIZE FrameAroundClient(double width_twips, double height_twips, DWORD style, int dpi) {
  RECT frame{0, 0, TwipsToPixels(width_twips, dpi), TwipsToPixels(height_twips, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

POINT CentredOnScreen(SIZE size) {
  return {(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
}

}  // namespace veilpix
