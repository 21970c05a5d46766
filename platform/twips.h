#pragma once
// Layouts are kept in twips (1440 to the inch): 15 twips to a pixel at 96 dots per inch.

#include <algorithm>
#include <cmath>

namespace veilpix {

// Stored positions can be any number: far beyond the screen they are only kept far beyond it.
inline int TwipsToPixels(double twips, int dpi) {
  constexpr double kFar = 1 << 30;
  return static_cast<int>(std::lround(std::clamp(twips * dpi / 1440.0, -kFar, kFar)));
}

inline float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels * 1440.0 / dpi);
}

// A font's point size as the negative character height in pixels that LOGFONT takes.
inline int PointsToFontHeight(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace veilpix
