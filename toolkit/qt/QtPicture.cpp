#include "toolkit/qt/QtPicture.h"

#include <cmath>

#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

int32_t PixelsToHimetric(int pixels, double twipsPerPixel) {
  return static_cast<int32_t>(
      std::lround(pixels * twipsPerPixel * kHimetricPerInch / kTwipsPerInch));
}

QtPicture::QtPicture(QImage image)
    : image_(std::move(image)),
      widthHimetric_(image_.isNull() ? 0
                                     : PixelsToHimetric(image_.width(), ScreenTwipsPerPixelX())),
      heightHimetric_(image_.isNull() ? 0
                                      : PixelsToHimetric(image_.height(), ScreenTwipsPerPixelY())) {
}

}  // namespace korvane::qt
