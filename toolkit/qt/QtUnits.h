#pragma once

#include <QRect>

#include "toolkit/Units.h"

class QPaintDevice;

namespace korvane::qt {

using toolkit::kHimetricPerInch;
using toolkit::kTwipsPerInch;
using toolkit::TwipsToPixels;

// Twips per logical pixel of the device, horizontally and vertically (15 at 96 dots per inch).
double TwipsPerPixelX(const QPaintDevice& device);
double TwipsPerPixelY(const QPaintDevice& device);

// Twips per pixel of the primary screen, for objects that belong to no window yet.
double ScreenTwipsPerPixelX();
double ScreenTwipsPerPixelY();

// toolkit::TwipsToPixelRect as a QRect.
QRect TwipsToPixelRect(double left, double top, double width, double height, double tppX,
                       double tppY);

}  // namespace korvane::qt
