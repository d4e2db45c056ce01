#include "app/cli/Overview.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/Types.h"

namespace korvane::cli {

namespace {

QRgb AverageColour(const QImage& sheet, const SheetPixelRect& r) {
  const int32_t x0 = std::max(0, r.x);
  const int32_t y0 = std::max(0, r.y);
  const int32_t x1 = std::min(sheet.width(), r.x + r.width);
  const int32_t y1 = std::min(sheet.height(), r.y + r.height);
  uint64_t red = 0, green = 0, blue = 0, count = 0;
  for (int32_t y = y0; y < y1; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
    for (int32_t x = x0; x < x1; ++x) {
      red += qRed(line[x]);
      green += qGreen(line[x]);
      blue += qBlue(line[x]);
      ++count;
    }
  }
  if (count == 0) return qRgb(0, 0, 0);
  const auto mean = [count](uint64_t sum) { return static_cast<int>((sum + count / 2) / count); };
  return qRgb(mean(red), mean(green), mean(blue));
}

}  // namespace

std::variant<QImage, std::string> DrawOverview(const MapDocument& map, const QImage& sheet,
                                               const SheetLayout& layout, int32_t cellPixels,
                                               const ProgressFn& progress,
                                               const RenderLimits& limits) {
  const int64_t width = int64_t{map.MapWidth} * cellPixels;
  const int64_t height = int64_t{map.MapHeight} * cellPixels;
  if (auto problem = ImageSizeProblem(width, height, limits, "render")) return *problem;

  const QImage pixels = sheet.convertToFormat(QImage::Format_RGB32);
  std::vector<QRgb> colours(static_cast<size_t>(std::max(0, layout.tileCount)));
  for (int32_t t = 0; t < layout.tileCount; ++t)
    colours[static_cast<size_t>(t)] = AverageColour(pixels, TilePixelRect(layout, t));
  const toolkit::Color back = toolkit::kButtonTextColor;
  const QRgb background = qRgb(back.r, back.g, back.b);

  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) return std::string("There is not enough memory for the image.");
  for (int32_t y = 0; y < map.MapHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y * cellPixels));
    for (int32_t x = 0; x < map.MapWidth; ++x) {
      const int16_t tile = map.MapTiles.At(x, y);
      const QRgb colour =
          tile >= 0 && tile < layout.tileCount ? colours[static_cast<size_t>(tile)] : background;
      std::fill_n(line + static_cast<ptrdiff_t>(x) * cellPixels, cellPixels, colour);
    }
    // The other pixel rows of the cells repeat the first.
    for (int32_t copy = 1; copy < cellPixels; ++copy)
      std::memcpy(image.scanLine(y * cellPixels + copy), line,
                  static_cast<size_t>(image.bytesPerLine()));
    if (progress) progress(y + 1, map.MapHeight);
  }
  return image;
}

}  // namespace korvane::cli
