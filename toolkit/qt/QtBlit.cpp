#include "toolkit/qt/QtBlit.h"

#include "toolkit/PixelCopy.h"

namespace korvane::qt {

namespace {

bool Is32Bit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

toolkit::PixelRect ToPixelRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

bool BlitPlainCopy(QImage& target, const QRect& to, const QImage& source, const QRect& from) {
  if (!Is32Bit(target) || !Is32Bit(source) || target.format() != source.format()) return false;
  // Row addresses from the base pointers: scanLine() checks for sharing on every call.
  const toolkit::PixelRows<uint32_t> out{reinterpret_cast<uint32_t*>(target.bits()), target.width(),
                                         target.height(), target.bytesPerLine() / 4};
  const toolkit::PixelRows<const uint32_t> in{reinterpret_cast<const uint32_t*>(source.constBits()),
                                              source.width(), source.height(),
                                              source.bytesPerLine() / 4};
  return toolkit::CopyPlainOrDoubled(out, ToPixelRect(to), in, ToPixelRect(from));
}

}  // namespace korvane::qt
