#pragma once

// The map painter: cells of a map document drawn onto a surface, as the map display shows them.
// Positions are in twips, the surface's scale; screen cell (0, 0) has its top-left corner at the
// surface's origin.

#include <cstdint>

#include "model/CellRect.h"
#include "model/MapDocument.h"
#include "render/TileSheetSetup.h"
#include "toolkit/Controls.h"

namespace korvane {

// How cells are shown: the applied sheet and its measures, the zoom (each tile drawn 1 or 2
// times its size), the grid (1: a one-pixel gap after every tile) and whether overlay markers
// are drawn.
struct MapPaintSetup {
  const TileSheetSetup& sheet;
  int16_t MapZoomFactor = 1;
  int16_t GridOn = 0;
  bool overlayMarkers = false;
};

// A screen cell, counted from the top-left one.
struct ScreenCell {
  int32_t c = 0;
  int32_t r = 0;
};

// The map display's background (cells off the sheet, the grid) and its overlay markers' colour,
// given to a surface before anything is drawn on it.
void SetMapDisplayColours(toolkit::Surface& surface);

// The cell pitch, in twips: the zoomed tile and the grid gap (32-bit: a large screen's twips
// leave the 16-bit range).
int32_t CellPitchX(const MapPaintSetup& setup);
int32_t CellPitchY(const MapPaintSetup& setup);

// Tile t into screen cell (c, r): the tile area only, the grid gap is left alone. Nothing is
// drawn for a negative tile, without a sheet, or for a sheet that holds no whole tile.
void DrawTileInCell(toolkit::Surface& surface, const MapPaintSetup& setup, int16_t tile, int32_t c,
                    int32_t r);

// The overlay marker of screen cell (c, r): a circle and the value centred on the tile, in the
// surface's colour and font. Nothing for a value of 0 or below (an empty cell).
void DrawOverlayMarker(toolkit::Surface& surface, const MapPaintSetup& setup, int16_t value,
                       int32_t c, int32_t r);

// Draws the map cells of `cells` row by row, map cell (left + i, top + j) into screen cell
// (origin.c + i, origin.r + j). A cell whose tile number lies below the sheet's TileCount gets
// its tile (none when negative) and then, with overlay markers on, the marker of its overlay
// value; a cell outside the map's layers or with a tile number beyond the sheet keeps what the
// surface shows. Nothing is drawn while the sheet holds no whole tile.
void PaintMapCells(toolkit::Surface& surface, const MapPaintSetup& setup, const MapDocument& map,
                   const CellRect& cells, ScreenCell origin);

}  // namespace korvane
