#include "tools/ToolCells.h"

#include <limits>

#include "model/Numbers.h"
#include "render/SymmetryAxes.h"

namespace korvane {

ScreenCell CellUnderPointer(const MapViewState& view, const TileSheetSetup& sheet, float x,
                            float y) {
  const MapPaintSetup setup = view.PaintSetup(sheet);
  const int32_t pitchX = CellPitchX(setup);
  const int32_t pitchY = CellPitchY(setup);
  // Without a cell pitch (no tile sheet set up) the pointer is over no cell: report one past
  // every edge, which each tool's range test turns away.
  if (pitchX < 1 || pitchY < 1)
    return ScreenCell{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()};
  return ScreenCell{RoundHalfEven(x) / pitchX, RoundHalfEven(y) / pitchY};
}

PointedCell CellAt(const MapViewState& view, const TileSheetSetup& sheet, float x, float y) {
  const ScreenCell s = CellUnderPointer(view, sheet, x, y);
  return PointedCell{s.c, s.r, int64_t{s.c} + view.ViewFirstCol, int64_t{s.r} + view.ViewFirstRow};
}

bool OnWholeCell(const MapViewState& view, const PointedCell& cell) {
  return cell.c <= int32_t{view.ViewCols} - 1 && cell.r <= int32_t{view.ViewRows} - 1;
}

bool InsideMap(const MapDocument& map, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < map.MapWidth && y < map.MapHeight &&
         map.MapTiles.Contains(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

CellImages WrittenCells(const MapViewState& view, int32_t x, int32_t y) {
  return ImagesOf(view.MapSymmetry, view.Map.MapWidth, view.Map.MapHeight, x, y);
}

std::optional<ScreenCell> ShownWhole(const MapViewState& view, CellXY cell) {
  const int64_t sx = int64_t{cell.x} - view.ViewFirstCol;
  const int64_t sy = int64_t{cell.y} - view.ViewFirstRow;
  if (sx < 0 || sx >= view.ViewCols || sy < 0 || sy >= view.ViewRows) return std::nullopt;
  return ScreenCell{static_cast<int32_t>(sx), static_cast<int32_t>(sy)};
}

void DrawWrittenTile(const MapViewState& view, const MapPaintSetup& setup, int16_t tile,
                     CellXY cell, ScreenCell s) {
  DrawTileInCell(*view.Display, setup, tile, s.c, s.r);
  DrawSymmetryAxes(*view.Display, setup, view.MapSymmetry, view.Map.MapWidth, view.Map.MapHeight,
                   CellRect{cell.x, cell.y, 1, 1}, s);
}

}  // namespace korvane
