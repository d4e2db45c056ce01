#include "render/MapPainter.h"
#include "tools/ToolCells.h"

namespace korvane {

// The overlay-mode press: the catalogue entry chosen in the catalogue window goes into the cell
// under the pointer, and that one cell is redrawn with its marker. Any button places; no undo
// snapshot is taken.
void PlaceOverlay(EditorWindows& editor, float x, float y) {
  const int16_t entry = editor.ChosenCatalogueEntry();
  if (entry < 0) return;
  MapViewState& view = editor.Main();
  const MapGlobal& g = editor.Global();
  const PointedCell cell = CellAt(view, g, x, y);
  // Only the map's edges bound a placement: a press in the strip beyond the last whole cell
  // still places on the map cell under it. A column or row below 0 is no cell of the map.
  if (!InsideMap(view.Map, cell.x, cell.y)) return;
  const auto mx = static_cast<int32_t>(cell.x);
  const auto my = static_cast<int32_t>(cell.y);
  if (!view.Map.OverlayData.Contains(mx, my)) return;

  view.Map.MapChanged = 1;
  view.Map.OverlayData.Set(mx, my, entry);

  const int16_t tile = view.Map.MapTiles.At(mx, my);
  if (tile >= g.TileCount) return;
  const MapPaintSetup setup = view.PaintSetup(g);
  DrawTileInCell(*view.Display, setup, tile, cell.c, cell.r);
  const int16_t value = view.Map.OverlayData.At(mx, my);
  if (value > 0 && editor.DatViewVisible())
    DrawOverlayMarker(*view.Display, setup, value, cell.c, cell.r);
}

}  // namespace korvane
