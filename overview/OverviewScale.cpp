#include "overview/OverviewScale.h"

#include <algorithm>

namespace korvane {

// Pixel p covers [p, p + 1) of `pixels`; its centre, p + 1/2, lies in cell
// floor((2p + 1) * cells / (2 * pixels)). In 64 bits: 32767 cells times 2^24 pixels fits.
int32_t OverviewScale::CellAt(int32_t pixel, int32_t cells, int32_t pixels) {
  const int64_t cell = (2 * int64_t{pixel} + 1) * cells / (2 * int64_t{pixels});
  return static_cast<int32_t>(std::clamp<int64_t>(cell, 0, cells - 1));
}

// The smallest p with CellAt(p) >= cell: ceil((2 * pixels * cell - cells) / (2 * cells)).
int32_t OverviewScale::FirstPixel(int32_t cell, int32_t cells, int32_t pixels) {
  if (cell <= 0) return 0;
  if (cell >= cells) return pixels;
  const int64_t num = 2 * int64_t{pixels} * cell - cells;
  const int64_t den = 2 * int64_t{cells};
  return static_cast<int32_t>(std::clamp<int64_t>((num + den - 1) / den, 0, pixels));
}

toolkit::PixelRect OverviewScale::PixelsOf(int32_t left, int32_t top, int32_t w, int32_t h) const {
  const int32_t x0 = FirstColumn(left), x1 = FirstColumn(left + w);
  const int32_t y0 = FirstRow(top), y1 = FirstRow(top + h);
  return {x0, y0, x1 - x0, y1 - y0};
}

OverviewScale FitOverview(int32_t mapWidth, int32_t mapHeight, int32_t windowWidth,
                          int32_t windowHeight) {
  OverviewScale s{mapWidth, mapHeight};
  if (mapWidth < 1 || mapHeight < 1 || windowWidth < 1 || windowHeight < 1) return s;
  if (mapWidth <= windowWidth && mapHeight <= windowHeight) {
    s.cellPixels =
        std::min({windowWidth / mapWidth, windowHeight / mapHeight, kMaxOverviewCellPixels});
    s.width = mapWidth * s.cellPixels;
    s.height = mapHeight * s.cellPixels;
    return s;
  }
  // The side that meets the window's edge first fills it; the other follows, at least a pixel.
  if (int64_t{windowWidth} * mapHeight <= int64_t{windowHeight} * mapWidth) {
    s.width = windowWidth;
    s.height =
        static_cast<int32_t>(std::max<int64_t>(1, int64_t{mapHeight} * windowWidth / mapWidth));
  } else {
    s.height = windowHeight;
    s.width =
        static_cast<int32_t>(std::max<int64_t>(1, int64_t{mapWidth} * windowHeight / mapHeight));
  }
  return s;
}

}  // namespace korvane
