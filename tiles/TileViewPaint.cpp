#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/Numbers.h"
#include "render/TileGeometry.h"
#include "tiles/PaletteLayout.h"
#include "tiles/TileView.h"

namespace korvane {

int16_t PaletteCellsAlong(float extent, int32_t tileTwips, int32_t pitchTwips) {
  if (pitchTwips < 1) return 1;
  const int64_t cells =
      int64_t{RoundHalfEven(static_cast<double>(extent) - tileTwips)} / pitchTwips + 1;
  return static_cast<int16_t>(std::clamp<int64_t>(cells, 1, 32767));
}

int16_t PaletteRowsWithinModel(int16_t rows, int16_t columns) {
  const int16_t most = static_cast<int16_t>(32767 / std::max<int16_t>(columns, 1));
  return std::min(rows, most);
}

int32_t TileView::PaletteCellTwipsX() const {
  const MapGlobal& g = editor_.Global();
  return ZoomStatus * int32_t{g.TileTwipsX} + g.TwoPixelsX;
}

int32_t TileView::PaletteCellTwipsY() const {
  const MapGlobal& g = editor_.Global();
  return ZoomStatus * int32_t{g.TileTwipsY} + g.TwoPixelsY;
}

namespace {

// Tile t of the applied sheet into palette cell (x, y): the tile area only, not the gutter.
void DrawPaletteTile(TileView& palette, const MapGlobal& g, int32_t sheetColumns, int32_t x,
                     int32_t y, int32_t tile) {
  const TwipsRect source = TileSheetRect(g, tile, sheetColumns);
  palette.Display->PaintPicture(*g.TileSheet, static_cast<float>(x * palette.PaletteCellTwipsX()),
                                static_cast<float>(y * palette.PaletteCellTwipsY()),
                                static_cast<float>(palette.ZoomStatus * g.TileTwipsX),
                                static_cast<float>(palette.ZoomStatus * g.TileTwipsY),
                                static_cast<float>(source.left), static_cast<float>(source.top),
                                static_cast<float>(source.width),
                                static_cast<float>(source.height));
}

}  // namespace

void TileView::RedrawCell(int32_t x, int32_t y, int16_t tile, toolkit::Color color) {
  const MapGlobal& g = global();
  const int32_t sheetColumns = SheetColumns(g);
  if (!g.TileSheet || sheetColumns < 1) return;
  // A box from one pixel above and left of the cell to the first pixel past the tile; the tile
  // drawn over it leaves a one-pixel frame in the gutter.
  const int32_t cx = x * PaletteCellTwipsX();
  const int32_t cy = y * PaletteCellTwipsY();
  Display->FilledBox(static_cast<float>(cx - g.PixelTwipsX), static_cast<float>(cy - g.PixelTwipsY),
                     static_cast<float>(ZoomStatus * g.TileTwipsX + g.PixelTwipsX),
                     static_cast<float>(ZoomStatus * g.TileTwipsY + g.PixelTwipsY), color);
  DrawPaletteTile(*this, g, sheetColumns, x, y, tile);
}

void TileView::Display_Paint() {
  MapGlobal& g = global();
  if (g.TileSize < 1 || !g.TileSheet) return;
  const int32_t cellX = PaletteCellTwipsX();
  const int32_t cellY = PaletteCellTwipsY();
  if (cellX < 1 || cellY < 1) return;

  PageCols = PaletteCellsAlong(Display->ScaleWidth(), ZoomStatus * g.TileTwipsX, cellX);
  // A page never holds more cells than a 16-bit tile number can count.
  PageRows = PaletteRowsWithinModel(
      PaletteCellsAlong(Display->ScaleHeight(), ZoomStatus * g.TileTwipsY, cellY), PageCols);
  PageTiles = static_cast<int16_t>(PageRows * PageCols);

  const int32_t sheetColumns = SheetColumns(g);
  // The tile-sheet dialog refuses sheets of more than 32767 tiles; the clamp only keeps the
  // stored count a valid 16-bit number whatever happens.
  g.TileCount = static_cast<int16_t>(std::min(SheetTileCount(g), int32_t{32767}));
  const int32_t count = g.TileCount;

  // A sheet without tiles still has one (empty) page, so the first tile is never negative.
  const int32_t pages = std::max<int32_t>(1, count / PageTiles + (count % PageTiles > 0 ? 1 : 0));
  // Setting the range may move the page; this paint draws the page the bar ends up on.
  painting_ = true;
  HScroll->SetMin(1);
  HScroll->SetMax(static_cast<int16_t>(pages));
  painting_ = false;
  const int32_t page = std::clamp<int32_t>(HScroll->Value(), 1, pages);
  PageFirstTile = static_cast<int16_t>((page - 1) * PageTiles);
  HScroll->SetEnabled(HScroll->Max() > 1);
  HScroll->Refresh();

  // Which tiles carry a frame, looked up once instead of scanning the selection per cell.
  std::vector<bool> selected(static_cast<size_t>(count), false);
  for (int32_t i = 1; i <= g.SelectedCount; ++i) {
    const int32_t t = g.SelectedTiles[static_cast<size_t>(i)];
    if (t >= 0 && t < count) selected[static_cast<size_t>(t)] = true;
  }

  const toolkit::Color red = toolkit::Rgb(255, 0, 0);
  for (int32_t y = 0; y < PageRows; ++y) {
    for (int32_t x = 0; x < PageCols; ++x) {
      const int32_t t = PageCols * y + PageFirstTile + x;
      if (t >= count) return;  // the rest of the last page stays background
      if (selected[static_cast<size_t>(t)])
        RedrawCell(x, y, static_cast<int16_t>(t), red);
      else
        DrawPaletteTile(*this, g, sheetColumns, x, y, t);
    }
  }
}

}  // namespace korvane
