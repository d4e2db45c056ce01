#pragma once

#include <cstdint>
#include <optional>

#include "model/MapDocument.h"
#include "model/Symmetry.h"
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

// The cells a write to map cell (x, y) reaches: the cell and its images under the main window's
// symmetry, (x, y) first.
CellImages WrittenCells(const MapViewState& view, int32_t x, int32_t y);

// The screen cell showing map cell `cell` when it is one of the whole cells in view.
std::optional<ScreenCell> ShownWhole(const MapViewState& view, CellXY cell);

// Tile t into screen cell s, which shows map cell `cell`, with the symmetry's axes over it again.
void DrawWrittenTile(const MapViewState& view, const MapPaintSetup& setup, int16_t tile,
                     CellXY cell, ScreenCell s);

// The tool steps that the mouse handlers hand over to, one per painting mode.
void PaintOneCell(MapViewState& view, const MapGlobal& g, toolkit::Toolkit& tk,
                  const PointedCell& cell);
void PasteBlock(MapViewState& view, const MapGlobal& g, const PointedCell& cell);
void FillDragRectangle(EditorWindows& editor, float x, float y);
void PlaceOverlay(EditorWindows& editor, float x, float y);

}  // namespace korvane
