#pragma once

#include <cstdint>

#include "shell/MapView.h"

namespace korvane {

// A pointer position resolved to the screen cell under it and the map cell shown there. The map
// cell is 64-bit so that adding the view origin to a far-off pointer position cannot overflow.
struct PointedCell {
  int32_t c = 0;
  int32_t r = 0;
  int64_t x = 0;
  int64_t y = 0;
};

PointedCell CellAt(const MapView& view, float x, float y);

// The pointer lies over one of the whole cells of the display, not in the strip beyond them.
bool OnWholeCell(const MapView& view, const PointedCell& cell);

// (x, y) is a cell of the map: inside MapWidth x MapHeight and inside the tile layer, so a write
// there can never land outside it, whatever the pointer or view origin gave.
bool InsideMap(const MapView& view, int64_t x, int64_t y);

// The tool steps that the mouse handlers hand over to, one per painting mode.
void PaintOneCell(MapView& view, const PointedCell& cell);
void PasteBlock(MapView& view, const PointedCell& cell);
void FillDragRectangle(MapView& view, float x, float y);
void PlaceOverlay(MapView& view, float x, float y);

}  // namespace korvane
