#pragma once

#include <QRect>

class QPaintDevice;

namespace korvane::qt {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kHimetricPerInch = 2540.0;

// Twips per logical pixel of the device, horizontally and vertically (15 at 96 dots per inch).
// A device that reports no resolution is taken as 96 dots per inch.
double TwipsPerPixelX(const QPaintDevice& device);
double TwipsPerPixelY(const QPaintDevice& device);

// Twips per pixel of the primary screen, for objects that belong to no window yet.
double ScreenTwipsPerPixelX();
double ScreenTwipsPerPixelY();

// The pixel rectangle a twips rectangle covers: its edges are rounded separately, so that
// boxes placed edge to edge in twips stay edge to edge on the screen. Negative extents are
// normalised to the same span.
QRect TwipsToPixelRect(double left, double top, double width, double height, double tppX,
                       double tppY);

// A whole number of pixels for a twips measure, rounded to the nearest.
int TwipsToPixels(double twips, double tpp);

}  // namespace korvane::qt
