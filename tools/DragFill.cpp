#include <algorithm>

#include "tools/MapTools.h"
#include "tools/RandomTile.h"
#include "tools/ToolCells.h"

namespace korvane {

void tools::Display_MouseUp(EditorWindows& editor, int16_t /*button*/, int16_t /*shift*/, float x,
                            float y) {
  const MapViewState& view = editor.Main();
  const MapGlobal& g = editor.Global();
  if (editor.DatViewVisible() || view.Map.MapWidth < 1 || g.TileSize < 1 || g.SelectedCount < 1)
    return;
  if (view.PaintMode->ListIndex() != kDragFill) return;
  FillDragRectangle(editor, x, y);
}

// The release of a "Drag Fill" stroke: every cell of the rectangle between the press and this
// release gets its own random pick, then the whole display is redrawn.
void FillDragRectangle(EditorWindows& editor, float x, float y) {
  MapViewState& view = editor.Main();
  const MapGlobal& g = editor.Global();
  const PointedCell start = CellAt(view, g, view.DragStartX, view.DragStartY);
  const PointedCell end = CellAt(view, g, x, y);
  const int64_t x1 = std::min(start.x, end.x);
  const int64_t x2 = std::max(start.x, end.x);
  const int64_t y1 = std::min(start.y, end.y);
  const int64_t y2 = std::max(start.y, end.y);

  // A rectangle reaching past the map or past the last whole visible cell is dropped, not
  // clipped.
  if (!InsideMap(view.Map, x2, y2)) return;
  if (x2 > int64_t{view.ViewFirstCol} + view.ViewCols - 1 ||
      y2 > int64_t{view.ViewFirstRow} + view.ViewRows - 1)
    return;
  // One that begins left of column 0 or above row 0 is dropped as a whole too: the fill never
  // writes outside the tile layer.
  if (!InsideMap(view.Map, x1, y1)) return;

  toolkit::Toolkit& tk = editor.Toolkit();
  // Each cell's pick goes to its images too; where the rectangle crosses an axis the later write
  // of a group wins, which leaves the group equal all the same.
  for (auto my = static_cast<int32_t>(y1); my <= y2; ++my)
    for (auto mx = static_cast<int32_t>(x1); mx <= x2; ++mx) {
      const int16_t tile = PickRandomTile(g, tk);
      for (const CellXY& image : WrittenCells(view, mx, my))
        if (InsideMap(view.Map, image.x, image.y)) view.Map.MapTiles.Set(image.x, image.y, tile);
    }
  editor.PaintMap();
}

}  // namespace korvane
