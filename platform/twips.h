#pragma once
// Layouts are kept in twips (1440 to the inch): 15 twips to a pixel at 96 dots per inch.

#include <cmath>

namespace veilpix {

inline int TwipsToPixels(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

inline float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels * 1440.0 / dpi);
}

// A font's point size as the negative character height in pixels that LOGFONT takes.
inline int PointsToFontHeight(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace veilpix
