#include "platform/win32/fonts.h"

#include "platform/twips.h"

namespace veilpix {

HFONT CreateFontFrom(const FontDescription& description, int dpi) {
  LOGFONTW font{};
  font.lfHeight = PointsToFontHeight(description.points, dpi);
  font.lfWeight = description.weight;
  font.lfItalic = description.italic;
  font.lfUnderline = description.underline;
  font.lfCharSet = description.charset;
  wcsncpy(font.lfFaceName, description.face, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

SIZE TextExtent(HFONT font, const wchar_t* text, int length) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  SIZE extent{};
  GetTextExtentPoint32W(screen, text, length, &extent);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return extent;
}

}  // namespace veilpix
