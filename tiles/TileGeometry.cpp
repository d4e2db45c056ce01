#include "tiles/TileGeometry.h"

#include "shell/Numbers.h"

namespace korvane {

float HimetricToTwips(int32_t himetric) {
  return static_cast<float>(himetric) * 1440.0f / 2540.0f;
}

namespace {

int32_t WholeTilesAlong(float extentTwips, int32_t offsetTwips, int32_t tileTwips,
                        int32_t pitchTwips) {
  if (pitchTwips < 1 || tileTwips < 1) return 0;
  const int32_t room = RoundHalfEven(static_cast<double>(extentTwips) - offsetTwips -
                                     static_cast<double>(tileTwips));
  // A negative room smaller than one pitch still truncates to 0 and gives one tile: the rule
  // counts a sheet that falls short of a tile by less than a pitch as holding one.
  const int32_t count = room / pitchTwips + 1;
  return count < 1 ? 0 : count;
}

}  // namespace

int32_t SheetColumns(const MapGlobal& g) {
  if (!g.TileSheet) return 0;
  return WholeTilesAlong(HimetricToTwips(g.TileSheet->WidthHimetric()),
                         int32_t{g.TileOffset} * g.PixelTwipsX, g.TileTwipsX,
                         int32_t{g.TileSpacing} * g.PixelTwipsX + g.TileTwipsX);
}

int32_t SheetRows(const MapGlobal& g) {
  if (!g.TileSheet) return 0;
  return WholeTilesAlong(HimetricToTwips(g.TileSheet->HeightHimetric()),
                         int32_t{g.TileOffset} * g.PixelTwipsY, g.TileTwipsY,
                         int32_t{g.TileSpacing} * g.PixelTwipsY + g.TileTwipsY);
}

int32_t SheetTileCount(const MapGlobal& g) {
  const int64_t count = int64_t{SheetColumns(g)} * SheetRows(g);
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

TwipsRect TileSheetRect(const MapGlobal& g, int32_t tile, int32_t sheetColumns) {
  const int32_t column = tile % sheetColumns;
  const int32_t row = tile / sheetColumns;
  return TwipsRect{int32_t{g.TileOffset} * g.PixelTwipsX +
                       column * (int32_t{g.TileSpacing} * g.PixelTwipsX + g.TileTwipsX),
                   int32_t{g.TileOffset} * g.PixelTwipsY +
                       row * (int32_t{g.TileSpacing} * g.PixelTwipsY + g.TileTwipsY),
                   g.TileTwipsX, g.TileTwipsY};
}

}  // namespace korvane
