#include "toolkit/qt/QtBlit.h"

#include <cstdint>
#include <cstring>

namespace korvane::qt {

namespace {

bool Is32Bit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

void CopyRow(uint32_t* out, const uint32_t* in, int count) {
  std::memcpy(out, in, static_cast<size_t>(count) * 4);
}

// Each pixel of the row written twice side by side.
void DoubleRow(uint32_t* out, const uint32_t* in, int count) {
  for (int x = 0; x < count; ++x) out[2 * x] = out[2 * x + 1] = in[x];
}

}  // namespace

// Drawing a map is one such copy per visible tile, thousands per redraw: going through a
// QPainter for each would cost far more than the copy itself.
bool BlitPlainCopy(QImage& target, const QRect& to, const QImage& source, const QRect& from) {
  if (!Is32Bit(target) || !Is32Bit(source) || target.format() != source.format()) return false;
  if (from.isEmpty() || !source.rect().contains(from) || !target.rect().contains(to)) return false;
  const int w = from.width();
  const int h = from.height();
  // Row addresses from the base pointers: scanLine() checks for sharing on every call.
  const uchar* sourceBits = source.constBits();
  uchar* targetBits = target.bits();
  const auto row = [&](const QImage& image, int y, int x) {
    return reinterpret_cast<const uint32_t*>(sourceBits + y * image.bytesPerLine()) + x;
  };
  const auto targetRow = [&](int y, int x) {
    return reinterpret_cast<uint32_t*>(targetBits + y * target.bytesPerLine()) + x;
  };
  if (to.width() == w && to.height() == h) {
    for (int y = 0; y < h; ++y)
      CopyRow(targetRow(to.y() + y, to.x()), row(source, from.y() + y, from.x()), w);
    return true;
  }
  if (to.width() == 2 * w && to.height() == 2 * h) {
    for (int y = 0; y < h; ++y) {
      const uint32_t* in = row(source, from.y() + y, from.x());
      DoubleRow(targetRow(to.y() + 2 * y, to.x()), in, w);
      DoubleRow(targetRow(to.y() + 2 * y + 1, to.x()), in, w);
    }
    return true;
  }
  return false;
}

}  // namespace korvane::qt
