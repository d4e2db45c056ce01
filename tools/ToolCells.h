#pragma once

#include <cstdint>

#include "model/MapDocument.h"
#include "render/MapPainter.h"
#include "render/TileSheetSetup.h"
#include "state/EditorWindows.h"
#include "state/MapViewState.h"

namespace korvane {

// A pointer position resolved to the screen cell under it and the map cell shown there. The map
// cell is 64-bit so that adding the view origin to a far-off pointer position cannot overflow.
struct PointedCell {
  int32_t c = 0;
  int32_t r = 0;
  int64_t x = 0;
  int64_t y = 0;
};

// The screen cell under a pointer position in twips, on the main window's display showing the
// given sheet.
ScreenCell CellUnderPointer(const MapViewState& view, const TileSheetSetup& sheet, float x,
                            float y);

PointedCell CellAt(const MapViewState& view, const TileSheetSetup& sheet, float x, float y);

// The pointer lies over one of the whole cells of the display, not in the strip beyond them.
bool OnWholeCell(const MapViewState& view, const PointedCell& cell);

// (x, y) is a cell of the map: inside MapWidth x MapHeight and inside the tile layer, so a write
// there can never land outside it, whatever the pointer or view origin gave.
bool InsideMap(const MapDocument& map, int64_t x, int64_t y);

// The tool steps that the mouse handlers hand over to, one per painting mode.
void PaintOneCell(MapViewState& view, const MapGlobal& g, toolkit::Toolkit& tk,
                  const PointedCell& cell);
void PasteBlock(MapViewState& view, const MapGlobal& g, const PointedCell& cell);
void FillDragRectangle(EditorWindows& editor, float x, float y);
void PlaceOverlay(EditorWindows& editor, float x, float y);

}  // namespace korvane
