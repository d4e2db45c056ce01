#include <gtest/gtest.h>

#include <QImage>

#include "toolkit/qt/QtBlit.h"

// The quick copy a map redraw makes once a tile copies pixels as they are only between images of
// one 32-bit format; it leaves every other pair to QPainter. (Its sizes and edges: QtSurface's
// copy test.)

namespace korvane::qt {
namespace {

QImage Filled(int w, int h, QImage::Format format, QRgb first) {
  QImage image(w, h, format);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, first + uint32_t(y * w + x));
  return image;
}

TEST(QtBlit, CopiesOnlyBetween32BitImagesOfOneFormat) {
  using F = QImage::Format;
  const struct {
    F target, source;
    bool copied;
  } rows[] = {{F::Format_RGB32, F::Format_RGB32, true},
              {F::Format_ARGB32, F::Format_ARGB32, true},
              {F::Format_RGB32, F::Format_ARGB32, false},
              {F::Format_ARGB32, F::Format_RGB32, false},
              {F::Format_RGB32, F::Format_RGB888, false},
              {F::Format_RGB888, F::Format_RGB32, false},
              {F::Format_ARGB32_Premultiplied, F::Format_ARGB32_Premultiplied, false}};
  for (const auto& row : rows) {
    QImage target = Filled(4, 4, row.target, 0xff000000);
    const QImage before = target;
    const QImage source = Filled(4, 4, row.source, 0xff100000);
    const bool copied = BlitPlainCopy(target, {0, 0, 4, 4}, source, {0, 0, 4, 4});
    EXPECT_EQ(copied, row.copied) << row.target << " " << row.source;
    EXPECT_EQ(target.pixel(3, 3), copied ? source.pixel(3, 3) : before.pixel(3, 3));
  }
}

}  // namespace
}  // namespace korvane::qt
