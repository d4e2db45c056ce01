#include "toolkit/qt/QtBlit.h"

#include <cstdint>
#include <cstring>

namespace korvane::qt {

namespace {

bool Is32Bit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

}  // namespace

// Drawing a map is one such copy per visible tile, thousands per redraw: going through a
// QPainter for each would cost far more than the copy itself.
bool BlitPlainCopy(QImage& target, const QRect& to, const QImage& source, const QRect& from) {
  if (!Is32Bit(target) || !Is32Bit(source) || target.format() != source.format()) return false;
  if (from.isEmpty() || !source.rect().contains(from) || !target.rect().contains(to)) return false;
  const int w = from.width();
  const int h = from.height();
  if (to.width() == w && to.height() == h) {
    for (int y = 0; y < h; ++y) {
      std::memcpy(target.scanLine(to.y() + y) + to.x() * 4,
                  source.constScanLine(from.y() + y) + from.x() * 4, static_cast<size_t>(w) * 4);
    }
    return true;
  }
  if (to.width() == 2 * w && to.height() == 2 * h) {
    for (int y = 0; y < h; ++y) {
      const auto* in =
          reinterpret_cast<const uint32_t*>(source.constScanLine(from.y() + y)) + from.x();
      auto* out = reinterpret_cast<uint32_t*>(target.scanLine(to.y() + 2 * y)) + to.x();
      for (int x = 0; x < w; ++x) out[2 * x] = out[2 * x + 1] = in[x];
      std::memcpy(target.scanLine(to.y() + 2 * y + 1) + to.x() * 4, out,
                  static_cast<size_t>(2 * w) * 4);
    }
    return true;
  }
  return false;
}

}  // namespace korvane::qt
