#include "render/SymmetryAxes.h"

namespace korvane {

namespace {

// Where the axis lies across one side of the map: in twips from the start of the cells shown,
// or a negative value when it does not cross them. The cells run from `first` for `count`.
int64_t AxisOffset(int32_t size, int32_t first, int32_t count, int32_t pitch, int32_t tile) {
  const int32_t column = size / 2;
  if (column < first || column >= int64_t{first} + count) return -1;
  return int64_t{column - first} * pitch + (size % 2 == 1 ? tile / 2 : 0);
}

}  // namespace

void DrawSymmetryAxes(toolkit::Surface& surface, const MapPaintSetup& setup, Symmetry mode,
                      int32_t mapWidth, int32_t mapHeight, const CellRect& cells,
                      ScreenCell origin) {
  if (cells.width < 1 || cells.height < 1) return;
  const int32_t pitchX = CellPitchX(setup);
  const int32_t pitchY = CellPitchY(setup);
  const auto left = static_cast<float>(int64_t{origin.c} * pitchX);
  const auto top = static_cast<float>(int64_t{origin.r} * pitchY);
  const auto right = static_cast<float>(int64_t{origin.c + cells.width} * pitchX);
  const auto bottom = static_cast<float>(int64_t{origin.r + cells.height} * pitchY);
  const int64_t across = HasVerticalAxis(mode)
                             ? AxisOffset(mapWidth, cells.left, cells.width, pitchX,
                                          int32_t{setup.MapZoomFactor} * setup.sheet.TileTwipsX)
                             : -1;
  const int64_t down = HasHorizontalAxis(mode)
                           ? AxisOffset(mapHeight, cells.top, cells.height, pitchY,
                                        int32_t{setup.MapZoomFactor} * setup.sheet.TileTwipsY)
                           : -1;
  if (across >= 0) {
    const float x = left + static_cast<float>(across);
    surface.DottedLine(x, top, x, bottom);
  }
  if (down >= 0) {
    const float y = top + static_cast<float>(down);
    surface.DottedLine(left, y, right, y);
  }
}

}  // namespace korvane
