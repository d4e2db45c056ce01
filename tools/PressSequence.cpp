#include "tools/MapTools.h"
#include "tools/RandomTile.h"
#include "tools/ToolCells.h"

namespace korvane {

namespace tools {

void Display_MouseDown(EditorWindows& editor, int16_t button, int16_t /*shift*/, float x, float y) {
  MapViewState& view = editor.Main();
  const MapGlobal& g = editor.Global();
  if (view.Map.MapWidth < 1 || g.TileSize < 1) return;
  if (editor.DatViewVisible()) {
    PlaceOverlay(editor, x, y);
    return;
  }

  // Every tile-mode press starts a new undo step and counts as an edit, whatever follows.
  view.Map.MapTiles.TakeUndoSnapshot();
  view.Map.MapChanged = 1;

  const int16_t mode = view.PaintMode->ListIndex();
  if (mode == kDragFill) {
    view.DragStartX = x;
    view.DragStartY = y;
    return;
  }

  const PointedCell cell = CellAt(view, g, x, y);
  if (!OnWholeCell(view, cell)) return;
  // Also turns away a map column or row below 0, so no press writes outside the layer.
  if (!InsideMap(view.Map, cell.x, cell.y)) return;
  if (button != toolkit::kLeftButton) return;
  if (g.SelectedCount < 1) return;
  if (mode == kBlockPaste) {
    PasteBlock(view, g, cell);
    return;
  }
  PaintOneCell(view, g, editor.Toolkit(), cell);
}

void Display_MouseMove(EditorWindows& editor, int16_t button, int16_t /*shift*/, float x, float y) {
  if (editor.DatViewVisible()) return;
  MapViewState& view = editor.Main();
  const MapGlobal& g = editor.Global();
  const int16_t mode = view.PaintMode->ListIndex();
  if (mode == kDragFill || mode == kBlockPaste) return;
  if (view.Map.MapWidth < 1 || g.TileSize < 1) return;
  const PointedCell cell = CellAt(view, g, x, y);
  if (!OnWholeCell(view, cell)) return;
  // A pointer dragged a cell or more past the left or top edge of an unscrolled view names no
  // map cell; it is ignored like a position beyond the far edges.
  if (!InsideMap(view.Map, cell.x, cell.y)) return;
  if (button != toolkit::kLeftButton) return;
  if (g.SelectedCount < 1) return;
  PaintOneCell(view, g, editor.Toolkit(), cell);
}

void MENU_SYMMETRY_Click(EditorWindows& editor, Symmetry mode) {
  MapViewState& view = editor.Main();
  for (size_t i = 0; i < view.MENU_SYMMETRY.size(); ++i)
    if (view.MENU_SYMMETRY[i]) view.MENU_SYMMETRY[i]->SetChecked(i == static_cast<size_t>(mode));
  if (view.MapSymmetry == mode) return;
  view.MapSymmetry = mode;
  view.Display->Refresh();
}

void MultipleTiles_Click(EditorWindows& editor) {
  MapGlobal& g = editor.Global();
  if (editor.Main().MultipleTiles->Value() != 0 || g.SelectedCount < 2) return;
  g.SelectedCount = 1;
  editor.RefreshTileView();
}

}  // namespace tools

void PaintOneCell(MapViewState& view, const MapGlobal& g, toolkit::Toolkit& tk,
                  const PointedCell& cell) {
  // The number is drawn before the cell is looked at, so a skipped cell still uses one.
  const int16_t tile = PickRandomTile(g, tk);
  const auto x = static_cast<int32_t>(cell.x);
  const auto y = static_cast<int32_t>(cell.y);
  // A cell already showing a tile of the selection keeps it: dragging back and forth over
  // painted ground does not reshuffle it.
  if (g.IsSelected(view.Map.MapTiles.At(x, y))) return;
  // The images take the same pick, so the map stays symmetric; the pressed cell is drawn where
  // the pointer is, its images when they are in view.
  const MapPaintSetup setup = view.PaintSetup(g);
  for (const CellXY& image : WrittenCells(view, x, y)) {
    if (!InsideMap(view.Map, image.x, image.y)) continue;
    view.Map.MapTiles.Set(image.x, image.y, tile);
    if (image == CellXY{x, y})
      DrawWrittenTile(view, setup, tile, image, ScreenCell{cell.c, cell.r});
    else if (const auto shown = ShownWhole(view, image))
      DrawWrittenTile(view, setup, tile, image, *shown);
  }
}

}  // namespace korvane
