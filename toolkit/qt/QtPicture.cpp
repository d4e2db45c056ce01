#include "toolkit/qt/QtPicture.h"

#include "toolkit/qt/QtPictureFile.h"
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

toolkit::PicturePtr PictureFromFile(const std::string& path, std::string& why) {
  const QImage image = DecodePictureFile(path, why);
  if (image.isNull()) return nullptr;
  // A plain copy of the picture's colours: any transparency is dropped here once.
  return std::make_shared<QtPicture>(image.convertToFormat(QImage::Format_RGB32));
}

toolkit::PicturePtr PictureFromImage(const toolkit::RgbImage& image) {
  const bool usable = image.width > 0 && image.height > 0 &&
                      image.pixels.size() == static_cast<size_t>(image.width) * image.height;
  if (!usable) return std::make_shared<QtPicture>(QImage());
  QImage pixels(image.width, image.height, QImage::Format_RGB32);
  for (int32_t y = 0; y < image.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    for (int32_t x = 0; x < image.width; ++x) {
      const toolkit::Color c = image.At(x, y);
      line[x] = qRgb(c.r, c.g, c.b);
    }
  }
  return std::make_shared<QtPicture>(std::move(pixels));
}

toolkit::PixelRows<const uint32_t> PicturePixels(const toolkit::Picture& picture) {
  const auto* own = dynamic_cast<const QtPicture*>(&picture);
  if (!own || own->Image().isNull()) return {};
  const QImage& image = own->Image();
  return {reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
          image.bytesPerLine() / 4};
}

}  // namespace korvane::qt
