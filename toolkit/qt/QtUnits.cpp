#include "toolkit/qt/QtUnits.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <cmath>

namespace korvane::qt {

double TwipsPerPixelX(const QPaintDevice& device) {
  return toolkit::TwipsPerPixelAt(device.logicalDpiX());
}

double TwipsPerPixelY(const QPaintDevice& device) {
  return toolkit::TwipsPerPixelAt(device.logicalDpiY());
}

double ScreenTwipsPerPixelX() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return toolkit::TwipsPerPixelAt(screen ? std::round(screen->logicalDotsPerInchX()) : 0);
}

double ScreenTwipsPerPixelY() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return toolkit::TwipsPerPixelAt(screen ? std::round(screen->logicalDotsPerInchY()) : 0);
}

QRect TwipsToPixelRect(double left, double top, double width, double height, double tppX,
                       double tppY) {
  const toolkit::PixelRect r = toolkit::TwipsToPixelRect(left, top, width, height, tppX, tppY);
  return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace korvane::qt
