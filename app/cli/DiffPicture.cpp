#include "app/cli/DiffPicture.h"

#include <QPainter>
#include <optional>

#include "app/cli/MapDiff.h"

namespace korvane::cli {

namespace {

// The region's cells of one map as a map of their own; cells the map lacks hold no tile.
std::optional<MapDocument> Crop(const MapDocument& map, const DiffPictureRequest& r) {
  auto tiles = Grid16::TryCreate(r.width, r.height);
  if (!tiles) return std::nullopt;
  MapDocument part;
  part.MapWidth = static_cast<int16_t>(r.width);
  part.MapHeight = static_cast<int16_t>(r.height);
  for (int32_t y = 0; y < r.height; ++y)
    for (int32_t x = 0; x < r.width; ++x) {
      const int32_t mx = r.x + x;
      const int32_t my = r.y + y;
      const bool on = mx < map.MapWidth && my < map.MapHeight;
      tiles->Set(x, y, on ? map.MapTiles.At(mx, my) : int16_t{-1});
    }
  part.MapTiles = TileLayer(std::move(*tiles));
  part.OverlayData = map.OverlayData.Window(r.x, r.y, r.width, r.height);
  return part;
}

void FillCell(QImage& image, const QRect& cell, QRgb colour) {
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x) image.setPixel(x, y, colour);
}

// Two rings inside the cell's rectangle, as far as the cell is large enough for them.
void Outline(QImage& image, const QRect& cell) {
  QRect ring = cell;
  for (const QRgb colour : {kChangeOuter, kChangeInner}) {
    if (ring.width() < 1 || ring.height() < 1) return;
    for (int x = ring.left(); x <= ring.right(); ++x) {
      image.setPixel(x, ring.top(), colour);
      image.setPixel(x, ring.bottom(), colour);
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
      image.setPixel(ring.left(), y, colour);
      image.setPixel(ring.right(), y, colour);
    }
    ring.adjust(1, 1, -1, -1);
  }
}

// One side: the region of `map` drawn by the editor, then marked.
std::variant<QImage, std::string> DrawSide(const MapDocument& map, const MapDocument& before,
                                           const MapDocument& after, const DiffPictureRequest& r,
                                           const ProgressFn& progress, const RenderLimits& limits) {
  const auto part = Crop(map, r);
  if (!part) return std::string("There is not enough memory for the picture.");
  auto drawn = RenderMapImage(*part, r.render, progress, limits);
  if (std::holds_alternative<std::string>(drawn)) return drawn;
  QImage& image = std::get<QImage>(drawn);
  const int pitchX = image.width() / r.width;
  const int pitchY = image.height() / r.height;
  for (int32_t y = 0; y < r.height; ++y)
    for (int32_t x = 0; x < r.width; ++x) {
      const int32_t mx = r.x + x;
      const int32_t my = r.y + y;
      const QRect cell(x * pitchX, y * pitchY, pitchX, pitchY);
      if (mx >= map.MapWidth || my >= map.MapHeight) FillCell(image, cell, kMissingCell);
      if (CellChanged(before, after, mx, my)) Outline(image, cell);
    }
  return drawn;
}

}  // namespace

std::variant<QImage, std::string> DrawDiffPicture(const MapDocument& before,
                                                  const MapDocument& after,
                                                  const DiffPictureRequest& request,
                                                  const ProgressFn& progress,
                                                  const RenderLimits& limits) {
  // Refused before any drawing when the tiles alone, at their size on the sheet, are too many
  // pixels (the editor's pitch can only add to that).
  const int64_t pitch = int64_t{request.render.zoom} * request.render.sheet.tileSize;
  if (auto problem = ImageSizeProblem(2 * request.width * pitch + kDiffGap, request.height * pitch,
                                      limits, "diff"))
    return *problem;
  // Each side is half of the work.
  const auto half = [&progress](int64_t offset) -> ProgressFn {
    if (!progress) return nullptr;
    return [&progress, offset](int64_t done, int64_t total) {
      progress(offset * total + done, 2 * total);
    };
  };
  auto left = DrawSide(before, before, after, request, half(0), limits);
  if (std::holds_alternative<std::string>(left)) return left;
  auto right = DrawSide(after, before, after, request, half(1), limits);
  if (std::holds_alternative<std::string>(right)) return right;
  const QImage& l = std::get<QImage>(left);
  const QImage& r = std::get<QImage>(right);
  const int64_t width = int64_t{l.width()} + kDiffGap + r.width();
  if (auto problem = ImageSizeProblem(width, l.height(), limits, "diff")) return *problem;
  QImage picture(static_cast<int>(width), l.height(), QImage::Format_RGB32);
  if (picture.isNull()) return std::string("There is not enough memory for the picture.");
  picture.fill(kDiffGapColour);
  QPainter painter(&picture);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, l);
  painter.drawImage(l.width() + kDiffGap, 0, r);
  painter.end();
  return picture;
}

}  // namespace korvane::cli
