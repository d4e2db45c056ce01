#include "ops/Overview.h"

#include <algorithm>
#include <cstring>

namespace korvane {

namespace {

uint32_t AverageColour(const toolkit::PixelRows<const uint32_t>& sheet, const TileRect& r) {
  const int32_t x0 = std::max(0, r.left);
  const int32_t y0 = std::max(0, r.top);
  const int32_t x1 = std::min(sheet.width, r.left + r.width);
  const int32_t y1 = std::min(sheet.height, r.top + r.height);
  uint64_t red = 0, green = 0, blue = 0, count = 0;
  for (int32_t y = y0; y < y1; ++y) {
    const uint32_t* line = sheet.Row(y);
    for (int32_t x = x0; x < x1; ++x) {
      const toolkit::Color c = toolkit::ColorOf(line[x]);
      red += c.r;
      green += c.g;
      blue += c.b;
      ++count;
    }
  }
  if (count == 0) return toolkit::PixelOf(toolkit::Rgb(0, 0, 0));
  const auto mean = [count](uint64_t sum) { return uint8_t((sum + count / 2) / count); };
  return toolkit::PixelOf(toolkit::Rgb(mean(red), mean(green), mean(blue)));
}

}  // namespace

std::vector<uint32_t> AverageTileColours(const toolkit::PixelRows<const uint32_t>& sheet,
                                         const SheetLayout& layout) {
  std::vector<uint32_t> colours(static_cast<size_t>(std::max(0, layout.tileCount)));
  for (int32_t t = 0; t < layout.tileCount; ++t)
    colours[static_cast<size_t>(t)] = AverageColour(sheet, TilePixelRect(layout, t));
  return colours;
}

void DrawOverview(const MapDocument& map, const std::vector<uint32_t>& tileColours,
                  int32_t cellPixels, const toolkit::PixelRows<uint32_t>& image,
                  const ProgressFn& progress) {
  const uint32_t background = toolkit::PixelOf(toolkit::kButtonTextColor);
  const auto tileCount = static_cast<int64_t>(tileColours.size());
  for (int32_t y = 0; y < map.MapHeight; ++y) {
    uint32_t* line = image.Row(y * cellPixels);
    for (int32_t x = 0; x < map.MapWidth; ++x) {
      const int16_t tile = map.MapTiles.At(x, y);
      const uint32_t colour =
          tile >= 0 && tile < tileCount ? tileColours[static_cast<size_t>(tile)] : background;
      std::fill_n(line + static_cast<ptrdiff_t>(x) * cellPixels, cellPixels, colour);
    }
    // The other pixel rows of the cells repeat the first.
    for (int32_t copy = 1; copy < cellPixels; ++copy)
      std::memcpy(image.Row(y * cellPixels + copy), line,
                  static_cast<size_t>(map.MapWidth) * static_cast<size_t>(cellPixels) * 4);
    if (progress) progress(y + 1, map.MapHeight);
  }
}

}  // namespace korvane
