#include "toolkit/qt/QtPicture.h"

#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

using toolkit::PixelsToHimetric;

// Pictures are kept as 32-bit pixels, the format of every surface, so that drawing a tile is a
// plain copy of pixels.
QtPicture::QtPicture(QImage image)
    : image_(image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32)),
      widthHimetric_(image_.isNull() ? 0
                                     : PixelsToHimetric(image_.width(), ScreenTwipsPerPixelX())),
      heightHimetric_(image_.isNull() ? 0
                                      : PixelsToHimetric(image_.height(), ScreenTwipsPerPixelY())) {
}

}  // namespace korvane::qt
