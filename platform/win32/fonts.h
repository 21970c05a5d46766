#pragma once

#include <windows.h>

namespace veilpix {

// A font as a layout names it.
struct FontDescription {
  const wchar_t* face;
  double points;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  BYTE charset = SHIFTJIS_CHARSET;
};

// The font at the screen's resolution; the caller deletes it.
HFONT CreateFontFrom(const FontDescription& description, int dpi);

// The width and height `text` takes in `font`.
SIZE TextExtent(HFONT font, const wchar_t* text, int length);

}  // namespace veilpix
