#include "platform/win32/layout.h"

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

HWND CreateChild(HWND parent, int id, const wchar_t* window_class, DWORD style, DWORD ex_style,
                 const TwipsRect& place, HFONT font, int dpi) {
  const HWND child = CreateWindowExW(
      ex_style, window_class, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
      TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
      TwipsToPixels(place.width, dpi), TwipsToPixels(place.height, dpi), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace veilpix
