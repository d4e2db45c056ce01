#include <algorithm>
#include <cstdint>
#include <string>

#include "render/TileGeometry.h"
#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

namespace {

// Positions on the display are worked out wide and handed over as floats, so a display beyond
// 32767 twips (a large screen) still places every cell where it belongs.
float CellEdge(int32_t index, int32_t pitch) {
  return static_cast<float>(int64_t{index} * pitch);
}

// Draws tile t, already known to lie on the sheet, into the tile area of screen cell (c, r).
void PaintTile(MapView& view, const MapGlobal& g, int32_t sheetColumns, int16_t tile, int32_t c,
               int32_t r) {
  const TwipsRect source = TileSheetRect(g, tile, sheetColumns);
  view.Display->PaintPicture(*g.TileSheet, CellEdge(c, view.CellTwipsX()),
                             CellEdge(r, view.CellTwipsY()),
                             static_cast<float>(int32_t{view.MapZoomFactor} * g.TileTwipsX),
                             static_cast<float>(int32_t{view.MapZoomFactor} * g.TileTwipsY),
                             static_cast<float>(source.left), static_cast<float>(source.top),
                             static_cast<float>(source.width), static_cast<float>(source.height));
}

}  // namespace

void MapView::Display_Paint() {
  const MapGlobal& g = global();
  if (Map.MapWidth >= 1 && g.TileSize >= 1) {
    const uint32_t run = ++paintRuns_;
    UpdateViewGeometry();
    // Moving a scroll bar into its new range redraws the whole display from inside the line
    // above, with the same geometry. Drawing the cells again on top would print every overlay
    // number twice and darken its smoothed edges.
    const bool redrawnInside = paintRuns_ != run;

    // The sheet and the mode cannot change while the cells are drawn, so both are read once.
    const int32_t sheetColumns = SheetColumns(g);
    const bool overlayMode = editor_.DatViewVisible();
    // Only screen cells that show a map cell are visited; the rest keep the background.
    const int32_t cols = std::min<int32_t>(ViewCols, int32_t{Map.MapWidth} - ViewFirstCol);
    const int32_t rows = std::min<int32_t>(ViewRows, int32_t{Map.MapHeight} - ViewFirstRow);
    for (int32_t y = 0; !redrawnInside && sheetColumns >= 1 && y < rows; ++y) {
      for (int32_t x = 0; x < cols; ++x) {
        const int32_t mx = int32_t{ViewFirstCol} + x;
        const int32_t my = int32_t{ViewFirstRow} + y;
        // A layer that does not match the map size is never read outside its cells.
        if (!Map.MapTiles.Contains(mx, my)) continue;
        const int16_t tile = Map.MapTiles.At(mx, my);
        if (tile >= g.TileCount) continue;
        // A negative tile number names no place on the sheet: its tile area keeps the background.
        if (tile >= 0) PaintTile(*this, g, sheetColumns, tile, x, y);
        if (overlayMode && Map.OverlayData.Contains(mx, my) && Map.OverlayData.At(mx, my) > 0)
          DrawOverlayMarker(Map.OverlayData.At(mx, my), x, y);
      }
    }
  }

  // The map named on the command line. LoadMap empties StartupMapFile first, so it gets its own
  // copy of the name, and later drawings find nothing to load.
  if (!StartupMapFile.empty()) {
    const std::string mapFile = StartupMapFile;
    LoadMap(mapFile);
  }
}

void MapView::DrawTileInCell(int16_t tile, int32_t c, int32_t r) {
  const MapGlobal& g = global();
  if (!g.TileSheet || tile < 0) return;
  const int32_t sheetColumns = SheetColumns(g);
  // A sheet that holds no whole tile has nothing to copy (and nothing to divide by).
  if (sheetColumns < 1) return;
  PaintTile(*this, g, sheetColumns, tile, c, r);
}

void MapView::DrawOverlayMarker(int16_t value, int32_t c, int32_t r) {
  // 0 and below mean an empty cell, which has no marker.
  if (value <= 0) return;
  const MapGlobal& g = global();
  const int32_t tileWidth = int32_t{MapZoomFactor} * g.TileTwipsX;
  const int32_t tileHeight = int32_t{MapZoomFactor} * g.TileTwipsY;
  const int64_t left = int64_t{c} * CellTwipsX();
  const int64_t top = int64_t{r} * CellTwipsY();
  const int32_t radius = int32_t{MapZoomFactor} * g.PixelTwipsX * ((int32_t{g.TileSize} - 1) / 2);
  Display->Circle(static_cast<float>(left + tileWidth / 2),
                  static_cast<float>(top + tileHeight / 2), static_cast<float>(radius));

  const std::string text = std::to_string(value);
  Display->SetCurrentX(static_cast<float>(left) +
                       (static_cast<float>(tileWidth) - Display->TextWidth(text)) / 2);
  Display->SetCurrentY(static_cast<float>(top) +
                       (static_cast<float>(tileHeight) - Display->TextHeight(text)) / 2);
  Display->Print(text);
}

}  // namespace korvane
