#include "win32/forms.h"

#include <cmath>
#include <cwchar>

#include "core/language.h"

namespace veilpix {

const Texts& UserTexts() {
  static const Texts& texts = TextsFor(LanguageFor(GetUserDefaultUILanguage()));
  return texts;
}

bool RegisterFormClass(HINSTANCE instance, const wchar_t* class_name, WNDPROC procedure,
                       int icon_id) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  // Asked first: registering anew would load its icons anew, and leak them, at each opening.
  if (GetClassInfoExW(instance, class_name, &window_class)) return true;
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = DLGWINDOWEXTRA;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(icon_id));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icon_id),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = class_name;
  return RegisterClassExW(&window_class) != 0;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// Stored positions can be any number: far beyond the screen they are only kept far beyond it.
int TwipsToPixels(double twips, int dpi) {
  constexpr double kFar = 1 << 30;
  const double pixels = twips * dpi / 1440.0;
  return static_cast<int>(std::lround(pixels < -kFar ? -kFar : pixels > kFar ? kFar : pixels));
}

float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels * 1440.0 / dpi);
}

HFONT CreateFontFrom(const FontDescription& description, int dpi) {
  LOGFONTW font{};
  const wchar_t* face = UserTexts()[description.face];
  if (*face) {
    font.lfHeight = -static_cast<int>(std::lround(description.points * dpi / 72.0));
    font.lfCharSet = description.charset;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  } else {
    // In the system locale's character set: stored with another's (a system first set up in
    // Japanese), the message font would be mapped to a face of that script.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = metrics.lfMessageFont;
    font.lfCharSet = DEFAULT_CHARSET;
  }
  font.lfWeight = description.weight;
  font.lfItalic = description.italic;
  font.lfUnderline = description.underline;
  return CreateFontIndirectW(&font);
}

SIZE TextExtent(HFONT font, const wchar_t* text) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  SIZE extent{};
  GetTextExtentPoint32W(screen, text, static_cast<int>(wcslen(text)), &extent);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return extent;
}

SIZE FrameAroundClient(double width_twips, double height_twips, DWORD style, int dpi) {
  RECT frame{0, 0, TwipsToPixels(width_twips, dpi), TwipsToPixels(height_twips, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  return {frame.right - frame.left, frame.bottom - frame.top};
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

int FocusedControlId(HWND window) {
  HWND focus = GetFocus();
  return focus && IsChild(window, focus) ? GetDlgCtrlID(focus) : 0;
}

bool PressFocusedButton(HWND window) {
  HWND focus = GetFocus();
  if (!focus || !IsChild(window, focus)) return false;
  const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
  if (!(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) return false;
  SendMessageW(focus, BM_CLICK, 0, 0);
  return true;
}

}  // namespace veilpix
