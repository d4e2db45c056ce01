#pragma once

#include <QImage>

#include "toolkit/Picture.h"

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

}  // namespace korvane::qt
