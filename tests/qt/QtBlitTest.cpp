#include <gtest/gtest.h>

#include <QImage>

#include "toolkit/qt/QtBlit.h"

// The quick copy a map redraw makes once a tile: when it may copy pixels as they are, and when it
// must leave the work to QPainter (other pixel formats, other sizes, rectangles not wholly inside).

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

// A 6 x 5 source onto a 12 x 10 target: each rectangle at its last place inside and one past it,
// at the same size and at twice the size, and sizes that are neither.
TEST(QtBlit, CopiesSameOrDoubleSizeRectanglesWhollyInside) {
  const QImage source = Filled(6, 5, QImage::Format_RGB32, 0xff000000);
  const struct {
    QRect to, from;
    bool copied;
  } rows[] = {{{0, 0, 6, 5}, {0, 0, 6, 5}, true},   {{6, 5, 6, 5}, {0, 0, 6, 5}, true},
              {{7, 5, 6, 5}, {0, 0, 6, 5}, false},  {{6, 6, 6, 5}, {0, 0, 6, 5}, false},
              {{-1, 0, 6, 5}, {0, 0, 6, 5}, false}, {{0, -1, 6, 5}, {0, 0, 6, 5}, false},
              {{0, 0, 2, 2}, {5, 4, 1, 1}, true},   {{0, 0, 1, 1}, {6, 4, 1, 1}, false},
              {{0, 0, 1, 1}, {5, 5, 1, 1}, false},  {{0, 0, 1, 1}, {-1, 0, 1, 1}, false},
              {{0, 0, 12, 10}, {0, 0, 6, 5}, true}, {{1, 0, 12, 10}, {0, 0, 6, 5}, false},
              {{0, 0, 12, 5}, {0, 0, 6, 5}, false}, {{0, 0, 6, 10}, {0, 0, 6, 5}, false},
              {{0, 0, 7, 5}, {0, 0, 6, 5}, false},  {{0, 0, 0, 0}, {0, 0, 0, 0}, false}};
  for (const auto& row : rows) {
    QImage target = Filled(12, 10, QImage::Format_RGB32, 0xff800000);
    QImage expected = target;
    if (row.copied)
      for (int y = 0; y < row.to.height(); ++y)
        for (int x = 0; x < row.to.width(); ++x) {
          const int scale = row.to.width() / row.from.width();
          expected.setPixel(row.to.x() + x, row.to.y() + y,
                            source.pixel(row.from.x() + x / scale, row.from.y() + y / scale));
        }
    EXPECT_EQ(BlitPlainCopy(target, row.to, source, row.from), row.copied) << &row - rows;
    EXPECT_EQ(target, expected) << &row - rows;
  }
}

}  // namespace
}  // namespace korvane::qt
