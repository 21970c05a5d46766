#pragma once
// What Veilpix's three windows share: their texts, window class, fonts and layouts kept in twips
// (1440 to the inch, 15 to a pixel at 96 dots per inch), and the dialog manager's keyboard
// handling.

#include <windows.h>

#include "resources/texts.h"

namespace veilpix {

// Veilpix's texts in the user's display language, picked at the first call.
const Texts& UserTexts();

// Registers a window class with its procedure and icon (large and small), the arrow cursor, the
// dialog face colour and the dialog manager's extra bytes: a procedure hands what it does not
// handle to DefDlgProcW, which gives Tab, Enter, Esc and the focus. True when the class is there
// to use, also when registered before (at no cost then).
bool RegisterFormClass(HINSTANCE instance, const wchar_t* class_name, WNDPROC procedure,
                       int icon_id);

// Dots per inch of the screen.
int ScreenDpi();
int TwipsToPixels(double twips, int dpi);
float PixelsToTwips(int pixels, int dpi);

struct TwipsRect {
  double left, top, width, height;
};

// A font as a layout names it; the caller deletes it. Where the user's language names no face
// (English), the font is the system's message font at its own size, with the layout's weight,
// italic and underline.
struct FontDescription {
  text::Id face;
  double points;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  BYTE charset = SHIFTJIS_CHARSET;
};
HFONT CreateFontFrom(const FontDescription& description, int dpi);
// The width and height `text` takes in `font`.
SIZE TextExtent(HFONT font, const wchar_t* text);

// The outer size of a window of `style` whose client area is the given size in twips.
SIZE FrameAroundClient(double width_twips, double height_twips, DWORD style, int dpi);

// A visible child window at its place in the parent's client area, drawn in `font`. Where a
// layout overlaps two children, the one made first stays whole.
HWND CreateChild(HWND parent, int id, const wchar_t* window_class, DWORD style, DWORD ex_style,
                 const TwipsRect& place, HFONT font, int dpi);

// The id of the window's control that has the keyboard focus; 0 when none has.
int FocusedControlId(HWND window);

// What Enter does where no button is the default: presses the push button that has the focus,
// which reports its click as a mouse click would. False when the focus is elsewhere.
bool PressFocusedButton(HWND window);

}  // namespace veilpix
