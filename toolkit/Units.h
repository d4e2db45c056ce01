#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "toolkit/Types.h"

// The conversions between twips, screen pixels and HIMETRIC that every backend makes alike.

namespace korvane::toolkit {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kHimetricPerInch = 2540.0;

// Twips per pixel at a resolution in dots per inch (15 at 96); a device that reports no
// resolution is taken as 96 dots per inch.
inline double TwipsPerPixelAt(double dotsPerInch) {
  return kTwipsPerInch / (dotsPerInch > 0 ? dotsPerInch : 96.0);
}

// A whole number of pixels for a twips measure, rounded to the nearest. Results stay far inside
// int, so that later sums cannot overflow.
inline int TwipsToPixels(double twips, double twipsPerPixel) {
  constexpr double kLimit = 1 << 24;
  const double v = twips / twipsPerPixel;
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::lround(std::clamp(v, -kLimit, kLimit)));
}

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The pixel rectangle a twips rectangle covers: its edges are rounded separately, so that boxes
// placed edge to edge in twips stay edge to edge on the screen. Negative extents are normalised
// to the same span.
inline PixelRect TwipsToPixelRect(double left, double top, double width, double height, double tppX,
                                  double tppY) {
  int x1 = TwipsToPixels(left, tppX);
  int x2 = TwipsToPixels(left + width, tppX);
  int y1 = TwipsToPixels(top, tppY);
  int y2 = TwipsToPixels(top + height, tppY);
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  return PixelRect{x1, y1, x2 - x1, y2 - y1};
}

// Pixels to HIMETRIC at the given twips per pixel, rounded to the nearest unit: a picture's size
// as the loader reports it, so that converting it back to twips gives its pixel count in screen
// twips.
inline int32_t PixelsToHimetric(int pixels, double twipsPerPixel) {
  return static_cast<int32_t>(
      std::lround(pixels * twipsPerPixel * kHimetricPerInch / kTwipsPerInch));
}

// A measure converted between units on a surface of the given twips per pixel.
inline float ConvertScale(float value, ScaleUnit from, ScaleUnit to, double twipsPerPixel) {
  const auto twipsPer = [twipsPerPixel](ScaleUnit unit) {
    switch (unit) {
      case ScaleUnit::Pixels:
        return twipsPerPixel;
      case ScaleUnit::Himetric:
        return kTwipsPerInch / kHimetricPerInch;
      case ScaleUnit::Twips:
        break;
    }
    return 1.0;
  };
  return static_cast<float>(value * twipsPer(from) / twipsPer(to));
}

}  // namespace korvane::toolkit
