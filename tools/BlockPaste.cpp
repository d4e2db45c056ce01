#include <algorithm>

#include "render/MapPainter.h"
#include "render/TileGeometry.h"
#include "state/MapGlobal.h"
#include "tools/ToolCells.h"

namespace korvane {

// "Block Paste": the whole selection lands at once, each tile keeping its place in the sheet
// relative to the lowest-numbered selected tile, which goes on the pressed cell. Tiles that fall
// outside the map are skipped one by one; those outside the view are written but not drawn.
void PasteBlock(MapViewState& view, const MapGlobal& g, const PointedCell& cell) {
  const int32_t columns = SheetColumns(g);
  if (columns < 1) return;  // no sheet rows to take offsets from: nothing can be placed
  const int32_t count = std::min<int32_t>(g.SelectedCount, kMaxSelectedTiles);
  if (count < 1) return;

  const auto first = g.SelectedTiles.begin() + 1;
  const int32_t anchor = *std::min_element(first, first + count);
  const int32_t anchorRow = anchor / columns;
  const int32_t anchorCol = anchor % columns;

  const MapPaintSetup setup = view.PaintSetup(g);
  for (int32_t i = 1; i <= count; ++i) {
    const int16_t tile = g.SelectedTiles[static_cast<size_t>(i)];
    const int64_t x = cell.x + (tile % columns - anchorCol);
    const int64_t y = cell.y + (tile / columns - anchorRow);
    if (!InsideMap(view.Map, x, y)) continue;
    // Under a symmetry the block is laid out mirrored as well, its tile numbers unchanged.
    for (const CellXY& image :
         WrittenCells(view, static_cast<int32_t>(x), static_cast<int32_t>(y))) {
      if (!InsideMap(view.Map, image.x, image.y)) continue;
      view.Map.MapTiles.Set(image.x, image.y, tile);
      if (const auto shown = ShownWhole(view, image))
        DrawWrittenTile(view, setup, tile, image, *shown);
    }
  }
}

}  // namespace korvane
