#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "toolkit/Units.h"

namespace korvane::toolkit {

// Rows of 32-bit pixels in memory, `stride` pixels from the start of one row to the next.
template <typename Pixel>
struct PixelRows {
  Pixel* bits = nullptr;
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;

  Pixel* Row(int y) const { return bits + y * stride; }
  bool Contains(const PixelRect& r) const {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 && r.x <= width - r.width &&
           r.y <= height - r.height;
  }
};

// Copies the `from` rectangle of `source` onto the `to` rectangle of `target` when `to` is the
// same size or exactly twice the size (the two map zooms) and both rectangles lie wholly inside
// their pixels. Returns false, having drawn nothing, for every other case, which the caller
// leaves to its graphics library. Pixels are copied as they are: a plain copy. Drawing a map is
// one such copy per visible tile, thousands per redraw, so this is what keeps a redraw quick.
inline bool CopyPlainOrDoubled(const PixelRows<uint32_t>& target, const PixelRect& to,
                               const PixelRows<const uint32_t>& source, const PixelRect& from) {
  if (from.Empty() || !source.Contains(from) || !target.Contains(to)) return false;
  const int w = from.width;
  const int h = from.height;
  if (to.width == w && to.height == h) {
    for (int y = 0; y < h; ++y)
      std::memcpy(target.Row(to.y + y) + to.x, source.Row(from.y + y) + from.x,
                  static_cast<size_t>(w) * 4);
    return true;
  }
  if (to.width == 2 * w && to.height == 2 * h) {
    for (int y = 0; y < h; ++y) {
      const uint32_t* in = source.Row(from.y + y) + from.x;
      uint32_t* out = target.Row(to.y + 2 * y) + to.x;
      for (int x = 0; x < w; ++x) out[2 * x] = out[2 * x + 1] = in[x];
      std::memcpy(target.Row(to.y + 2 * y + 1) + to.x, out, static_cast<size_t>(2 * w) * 4);
    }
    return true;
  }
  return false;
}

// The pixels of a dotted line from (x1, y1) up to (x2, y2) in twips, across when y1 == y2 and
// down otherwise: one pixel thick, its ends rounded as a box's edges are.
inline PixelRect DottedLinePixels(double x1, double y1, double x2, double y2, double tppX,
                                  double tppY) {
  const PixelRect span = TwipsToPixelRect(x1, y1, x2 - x1, y2 - y1, tppX, tppY);
  return y1 == y2 ? PixelRect{span.x, span.y, span.width, 1}
                  : PixelRect{span.x, span.y, 1, span.height};
}

// Every other pixel of `line` (one pixel thick), those with an even coordinate along it, set to
// `pixel`; what lies outside the target is left out.
inline void DrawDotted(const PixelRows<uint32_t>& target, const PixelRect& line, uint32_t pixel) {
  const bool across = line.height == 1 && line.width != 1;
  const int x1 = std::max(line.x, 0), x2 = std::min(line.x + line.width, target.width);
  const int y1 = std::max(line.y, 0), y2 = std::min(line.y + line.height, target.height);
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x)
      if ((across ? x : y) % 2 == 0) target.Row(y)[x] = pixel;
}

}  // namespace korvane::toolkit
