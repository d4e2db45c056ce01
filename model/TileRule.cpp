#include "model/TileRule.h"

#include <algorithm>

#include "model/Numbers.h"

namespace korvane {

int32_t WholeTilesAlong(double extent, const TileAxis& axis) {
  if (axis.pitch < 1 || axis.tile < 1) return 0;
  const int32_t room = RoundHalfEven(extent - axis.offset - static_cast<double>(axis.tile));
  const int32_t count = room / axis.pitch + 1;
  return count < 1 ? 0 : count;
}

TileRect TileRectOn(int32_t tile, int32_t columns, const TileAxis& across, const TileAxis& down) {
  return TileRect{across.offset + tile % columns * across.pitch,
                  down.offset + tile / columns * down.pitch, across.tile, down.tile};
}

TileAxis PixelAxis(const SheetSettings& settings) {
  return TileAxis{settings.offset, settings.tileSize, settings.tileSize + settings.spacing};
}

SheetLayout LayOutSheetPixels(int32_t imageWidth, int32_t imageHeight,
                              const SheetSettings& settings) {
  const TileAxis axis = PixelAxis(settings);
  SheetLayout layout{imageWidth,
                     imageHeight,
                     settings,
                     WholeTilesAlong(imageWidth, axis),
                     WholeTilesAlong(imageHeight, axis),
                     0};
  layout.tileCount =
      static_cast<int32_t>(std::min<int64_t>(int64_t{layout.columns} * layout.rows, INT32_MAX));
  return layout;
}

TileRect TilePixelRect(const SheetLayout& layout, int32_t tile) {
  const TileAxis axis = PixelAxis(layout.settings);
  return TileRectOn(tile, layout.columns, axis, axis);
}

}  // namespace korvane
