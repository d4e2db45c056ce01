#include "render/MapPainter.h"

#include <string>

#include "render/TileGeometry.h"

namespace korvane {

void SetMapDisplayColours(toolkit::Surface& surface) {
  surface.SetBackColor(toolkit::kButtonTextColor);
  surface.SetForeColor(toolkit::Rgb(0, 0, 192));
}

int32_t CellPitchX(const MapPaintSetup& setup) {
  return int32_t{setup.MapZoomFactor} * setup.sheet.TileTwipsX +
         int32_t{setup.GridOn} * setup.sheet.PixelTwipsX;
}

int32_t CellPitchY(const MapPaintSetup& setup) {
  return int32_t{setup.MapZoomFactor} * setup.sheet.TileTwipsY +
         int32_t{setup.GridOn} * setup.sheet.PixelTwipsY;
}

namespace {

// Positions on the display are worked out wide and handed over as floats, so a display beyond
// 32767 twips (a large screen) still places every cell where it belongs.
float CellEdge(int32_t index, int32_t pitch) {
  return static_cast<float>(int64_t{index} * pitch);
}

// The measures of one drawing, worked out once for all the cells it draws.
class CellPainter {
 public:
  CellPainter(toolkit::Surface& surface, const MapPaintSetup& setup)
      : surface_(surface),
        sheet_(setup.sheet),
        pitchX_(CellPitchX(setup)),
        pitchY_(CellPitchY(setup)),
        tileWidth_(int32_t{setup.MapZoomFactor} * sheet_.TileTwipsX),
        tileHeight_(int32_t{setup.MapZoomFactor} * sheet_.TileTwipsY),
        radius_(int32_t{setup.MapZoomFactor} * sheet_.PixelTwipsX *
                ((int32_t{sheet_.TileSize} - 1) / 2)) {}

  // Tile t, already known to lie on the sheet, into the tile area of screen cell (c, r).
  void Tile(int32_t sheetColumns, int16_t tile, int32_t c, int32_t r) {
    const TwipsRect source = TileSheetRect(sheet_, tile, sheetColumns);
    surface_.PaintPicture(*sheet_.TileSheet, CellEdge(c, pitchX_), CellEdge(r, pitchY_),
                          static_cast<float>(tileWidth_), static_cast<float>(tileHeight_),
                          static_cast<float>(source.left), static_cast<float>(source.top),
                          static_cast<float>(source.width), static_cast<float>(source.height));
  }

  // The marker of a value above 0 in screen cell (c, r).
  void Marker(int16_t value, int32_t c, int32_t r) {
    const int64_t left = int64_t{c} * pitchX_;
    const int64_t top = int64_t{r} * pitchY_;
    surface_.Circle(static_cast<float>(left + tileWidth_ / 2),
                    static_cast<float>(top + tileHeight_ / 2), static_cast<float>(radius_));
    const std::string text = std::to_string(value);
    surface_.SetCurrentX(static_cast<float>(left) +
                         (static_cast<float>(tileWidth_) - surface_.TextWidth(text)) / 2);
    surface_.SetCurrentY(static_cast<float>(top) +
                         (static_cast<float>(tileHeight_) - surface_.TextHeight(text)) / 2);
    surface_.Print(text);
  }

 private:
  toolkit::Surface& surface_;
  const TileSheetSetup& sheet_;
  int32_t pitchX_;
  int32_t pitchY_;
  int32_t tileWidth_;
  int32_t tileHeight_;
  int32_t radius_;
};

}  // namespace

void DrawTileInCell(toolkit::Surface& surface, const MapPaintSetup& setup, int16_t tile, int32_t c,
                    int32_t r) {
  if (!setup.sheet.TileSheet || tile < 0) return;
  const int32_t sheetColumns = SheetColumns(setup.sheet);
  // A sheet that holds no whole tile has nothing to copy (and nothing to divide by).
  if (sheetColumns < 1) return;
  CellPainter(surface, setup).Tile(sheetColumns, tile, c, r);
}

void DrawOverlayMarker(toolkit::Surface& surface, const MapPaintSetup& setup, int16_t value,
                       int32_t c, int32_t r) {
  // 0 and below mean an empty cell, which has no marker.
  if (value <= 0) return;
  CellPainter(surface, setup).Marker(value, c, r);
}

void PaintMapCells(toolkit::Surface& surface, const MapPaintSetup& setup, const MapDocument& map,
                   const CellRect& cells, ScreenCell origin) {
  // The sheet cannot change while the cells are drawn, so it is measured once.
  const int32_t sheetColumns = SheetColumns(setup.sheet);
  if (sheetColumns < 1) return;
  CellPainter paint(surface, setup);
  const TileLayer& tiles = map.MapTiles;
  const OverlayLayer& overlay = map.OverlayData;
  for (int32_t y = 0; y < cells.height; ++y) {
    for (int32_t x = 0; x < cells.width; ++x) {
      const int32_t mx = cells.left + x;
      const int32_t my = cells.top + y;
      // A layer that does not match the map size is never read outside its cells.
      if (!tiles.Contains(mx, my)) continue;
      const int16_t tile = tiles.At(mx, my);
      if (tile >= setup.sheet.TileCount) continue;
      // A negative tile number names no place on the sheet: its tile area keeps the background.
      if (tile >= 0) paint.Tile(sheetColumns, tile, origin.c + x, origin.r + y);
      if (setup.overlayMarkers && overlay.Contains(mx, my)) {
        const int16_t value = overlay.At(mx, my);
        if (value > 0) paint.Marker(value, origin.c + x, origin.r + y);
      }
    }
  }
}

}  // namespace korvane
