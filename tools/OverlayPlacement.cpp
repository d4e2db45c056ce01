#include "render/MapPainter.h"
#include "render/SymmetryAxes.h"
#include "tools/ToolCells.h"

namespace korvane {

// The overlay-mode press: the catalogue entry chosen in the catalogue window goes into the cell
// under the pointer and its images, and those cells are redrawn with their markers. Any button
// places; no undo snapshot is taken.
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

  // The images of a cell on the map are on the map too.
  view.Map.MapChanged = 1;
  const CellImages written = WrittenCells(view, mx, my);
  for (const CellXY& image : written) view.Map.OverlayData.Set(image.x, image.y, entry);

  // The pressed cell is redrawn even in the strip beyond the whole cells; its images when they
  // are in view.
  const MapPaintSetup setup = view.PaintSetup(g);
  for (const CellXY& image : written) {
    const auto shown = image == CellXY{mx, my} ? std::optional(ScreenCell{cell.c, cell.r})
                                               : ShownWhole(view, image);
    if (!shown) continue;
    const int16_t tile = view.Map.MapTiles.At(image.x, image.y);
    if (tile >= g.TileCount) continue;
    DrawTileInCell(*view.Display, setup, tile, shown->c, shown->r);
    const int16_t value = view.Map.OverlayData.At(image.x, image.y);
    if (editor.DatViewVisible()) DrawOverlayMarker(*view.Display, setup, value, shown->c, shown->r);
    DrawSymmetryAxes(*view.Display, setup, view.MapSymmetry, view.Map.MapWidth, view.Map.MapHeight,
                     CellRect{image.x, image.y, 1, 1}, *shown);
  }
}

}  // namespace korvane
