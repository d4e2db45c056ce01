#include "render/TileGeometry.h"

#include <algorithm>

#include "model/Numbers.h"

namespace korvane {

float HimetricToTwips(int32_t himetric) {
  return static_cast<float>(himetric) * 1440.0f / 2540.0f;
}

TileAxis TwipsAxisX(const TileSheetSetup& g) {
  return TileAxis{int32_t{g.TileOffset} * g.PixelTwipsX, g.TileTwipsX,
                  int32_t{g.TileSpacing} * g.PixelTwipsX + g.TileTwipsX};
}

TileAxis TwipsAxisY(const TileSheetSetup& g) {
  return TileAxis{int32_t{g.TileOffset} * g.PixelTwipsY, g.TileTwipsY,
                  int32_t{g.TileSpacing} * g.PixelTwipsY + g.TileTwipsY};
}

int32_t SheetColumns(const TileSheetSetup& g) {
  if (!g.TileSheet) return 0;
  return WholeTilesAlong(HimetricToTwips(g.TileSheet->WidthHimetric()), TwipsAxisX(g));
}

int32_t SheetRows(const TileSheetSetup& g) {
  if (!g.TileSheet) return 0;
  return WholeTilesAlong(HimetricToTwips(g.TileSheet->HeightHimetric()), TwipsAxisY(g));
}

int32_t SheetTileCount(const TileSheetSetup& g) {
  return static_cast<int32_t>(
      std::min<int64_t>(int64_t{SheetColumns(g)} * SheetRows(g), INT32_MAX));
}

TwipsRect TileSheetRect(const TileSheetSetup& g, int32_t tile, int32_t sheetColumns) {
  return TileRectOn(tile, sheetColumns, TwipsAxisX(g), TwipsAxisY(g));
}

}  // namespace korvane

namespace korvane {

std::optional<TwipsGeometry> MeasureTwipsGeometry(const toolkit::Surface& surface,
                                                  int16_t tileSize) {
  using toolkit::ScaleUnit;
  const auto pixelX = RoundHalfEven16(surface.ScaleX(1.0f, ScaleUnit::Pixels, ScaleUnit::Twips));
  const auto pixelY = RoundHalfEven16(surface.ScaleY(1.0f, ScaleUnit::Pixels, ScaleUnit::Twips));
  const auto tileX = RoundHalfEven16(
      surface.ScaleX(static_cast<float>(tileSize), ScaleUnit::Pixels, ScaleUnit::Twips));
  const auto tileY = RoundHalfEven16(
      surface.ScaleY(static_cast<float>(tileSize), ScaleUnit::Pixels, ScaleUnit::Twips));
  if (!pixelX || !pixelY || !tileX || !tileY) return std::nullopt;
  if (*pixelX < 1 || *pixelY < 1 || *tileX < 1 || *tileY < 1) return std::nullopt;
  if (!Fits16(2 * int32_t{*pixelX}) || !Fits16(2 * int32_t{*pixelY})) return std::nullopt;
  return TwipsGeometry{*pixelX,
                       *pixelY,
                       *tileX,
                       *tileY,
                       static_cast<int16_t>(2 * *pixelX),
                       static_cast<int16_t>(2 * *pixelY)};
}

void StoreTwipsGeometry(TileSheetSetup& g, const TwipsGeometry& m) {
  g.PixelTwipsX = m.PixelTwipsX;
  g.PixelTwipsY = m.PixelTwipsY;
  g.TileTwipsX = m.TileTwipsX;
  g.TileTwipsY = m.TileTwipsY;
  g.TwoPixelsX = m.TwoPixelsX;
  g.TwoPixelsY = m.TwoPixelsY;
}

namespace {

// One axis of the tile rule: the offset, the pitch and the far edge of the last whole tile.
bool AxisFits16(int64_t offsetTwips, int64_t pitchTwips, int64_t tileTwips, int64_t tiles) {
  if (!Fits16(offsetTwips) || !Fits16(pitchTwips) || !Fits16(tileTwips)) return false;
  if (tiles < 1) return true;
  return Fits16(offsetTwips + (tiles - 1) * pitchTwips + tileTwips);
}

}  // namespace

bool TileRuleFitsModel(const TileAxis& x, const TileAxis& y, int64_t columns, int64_t rows) {
  if (columns * rows > 32767) return false;
  return AxisFits16(x.offset, x.pitch, x.tile, columns) &&
         AxisFits16(y.offset, y.pitch, y.tile, rows);
}

bool SheetGeometryFitsModel(const TileSheetSetup& g) {
  return TileRuleFitsModel(TwipsAxisX(g), TwipsAxisY(g), SheetColumns(g), SheetRows(g));
}

std::optional<TileSheetSetup> ApplyTileSheet(const toolkit::Surface& screen,
                                             toolkit::PicturePtr sheet, int16_t tileSize,
                                             int16_t spacing, int16_t offset) {
  TileSheetSetup g;
  g.TileSize = tileSize;
  g.TileSpacing = spacing;
  g.TileOffset = offset;
  g.TileSheet = std::move(sheet);
  const auto measures = MeasureTwipsGeometry(screen, tileSize);
  if (!measures) return std::nullopt;
  StoreTwipsGeometry(g, *measures);
  if (!SheetGeometryFitsModel(g)) return std::nullopt;
  g.TileCount = static_cast<int16_t>(SheetTileCount(g));
  return g;
}

}  // namespace korvane
