#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tiles/TileView.h"
#include "tools/RandomTile.h"
#include "tools/ToolCells.h"

namespace korvane {

void MapView::Display_MouseDown(int16_t button, int16_t /*shift*/, float x, float y) {
  MapGlobal& g = global();
  if (Map.MapWidth < 1 || g.TileSize < 1) return;
  if (editor().DatViewVisible()) {
    PlaceOverlay(*this, x, y);
    return;
  }

  // Every tile-mode press starts a new undo step and counts as an edit, whatever follows.
  Map.MapTiles.TakeUndoSnapshot();
  Map.MapChanged = 1;

  const int16_t mode = PaintMode->ListIndex();
  if (mode == kDragFill) {
    DragStartX = x;
    DragStartY = y;
    return;
  }

  const PointedCell cell = CellAt(*this, x, y);
  if (!OnWholeCell(*this, cell)) return;
  // Also turns away a map column or row below 0, so no press writes outside the layer.
  if (!InsideMap(*this, cell.x, cell.y)) return;
  if (button != toolkit::kLeftButton) return;
  if (g.SelectedCount < 1) return;
  if (mode == kBlockPaste) {
    PasteBlock(*this, cell);
    return;
  }
  PaintOneCell(*this, cell);
}

void MapView::Display_MouseMove(int16_t button, int16_t /*shift*/, float x, float y) {
  MapGlobal& g = global();
  if (editor().DatViewVisible()) return;
  const int16_t mode = PaintMode->ListIndex();
  if (mode == kDragFill || mode == kBlockPaste) return;
  if (Map.MapWidth < 1 || g.TileSize < 1) return;
  const PointedCell cell = CellAt(*this, x, y);
  if (!OnWholeCell(*this, cell)) return;
  // A pointer dragged a cell or more past the left or top edge of an unscrolled view names no
  // map cell; it is ignored like a position beyond the far edges.
  if (!InsideMap(*this, cell.x, cell.y)) return;
  if (button != toolkit::kLeftButton) return;
  if (g.SelectedCount < 1) return;
  PaintOneCell(*this, cell);
}

void MapView::MultipleTiles_Click() {
  MapGlobal& g = global();
  if (MultipleTiles->Value() != 0 || g.SelectedCount < 2) return;
  g.SelectedCount = 1;
  editor().tileView().Display->Refresh();
}

void PaintOneCell(MapView& view, const PointedCell& cell) {
  MapGlobal& g = view.global();
  // The number is drawn before the cell is looked at, so a skipped cell still uses one.
  const int16_t tile = PickRandomTile(g, view.editor().Toolkit());
  const auto x = static_cast<int32_t>(cell.x);
  const auto y = static_cast<int32_t>(cell.y);
  // A cell already showing a tile of the selection keeps it: dragging back and forth over
  // painted ground does not reshuffle it.
  if (g.IsSelected(view.Map.MapTiles.At(x, y))) return;
  view.Map.MapTiles.Set(x, y, tile);
  view.DrawTileInCell(tile, cell.c, cell.r);
}

}  // namespace korvane
