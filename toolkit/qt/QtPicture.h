#pragma once

#include <QImage>
#include <string>

#include "toolkit/Picture.h"
#include "toolkit/PixelCopy.h"
#include "toolkit/RgbImage.h"

namespace korvane::qt {

// A decoded image. It reports its size in HIMETRIC at the screen's resolution, so that
// converting that size back to twips gives exactly its pixel count in screen twips.
class QtPicture : public toolkit::Picture {
 public:
  explicit QtPicture(QImage image);
  int32_t WidthHimetric() const override { return widthHimetric_; }
  int32_t HeightHimetric() const override { return heightHimetric_; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  int32_t widthHimetric_;
  int32_t heightHimetric_;
};

// A picture file decoded as the editor's picture loader decodes it, any transparency dropped;
// null, with the reason in `why`, when it cannot be read or decoded.
toolkit::PicturePtr PictureFromFile(const std::string& path, std::string& why);

// The pixels of a picture made here; none (null bits) for another's or an empty one.
toolkit::PixelRows<const uint32_t> PicturePixels(const toolkit::Picture& picture);

// Pixels made by the program as a picture; an empty picture when they do not make one.
toolkit::PicturePtr PictureFromImage(const toolkit::RgbImage& image);

}  // namespace korvane::qt
