#include "toolkit/qt/QtUnits.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace korvane::qt {

namespace {

constexpr double kFallbackDpi = 96.0;

double TwipsPerPixel(double dpi) {
  return kTwipsPerInch / (dpi > 0 ? dpi : kFallbackDpi);
}

// Pixel coordinates stay far inside int so that later sums cannot overflow.
int ClampToPixels(double v) {
  constexpr double kLimit = 1 << 24;
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::lround(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace

double TwipsPerPixelX(const QPaintDevice& device) {
  return TwipsPerPixel(device.logicalDpiX());
}

double TwipsPerPixelY(const QPaintDevice& device) {
  return TwipsPerPixel(device.logicalDpiY());
}

double ScreenTwipsPerPixelX() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return TwipsPerPixel(screen ? std::round(screen->logicalDotsPerInchX()) : kFallbackDpi);
}

double ScreenTwipsPerPixelY() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return TwipsPerPixel(screen ? std::round(screen->logicalDotsPerInchY()) : kFallbackDpi);
}

int TwipsToPixels(double twips, double tpp) {
  return ClampToPixels(twips / tpp);
}

QRect TwipsToPixelRect(double left, double top, double width, double height, double tppX,
                       double tppY) {
  int x1 = TwipsToPixels(left, tppX);
  int x2 = TwipsToPixels(left + width, tppX);
  int y1 = TwipsToPixels(top, tppY);
  int y2 = TwipsToPixels(top + height, tppY);
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  return QRect(x1, y1, x2 - x1, y2 - y1);
}

}  // namespace korvane::qt
