#include <cstdint>

#include "model/Numbers.h"
#include "tiles/TileView.h"

namespace korvane {

namespace {

constexpr toolkit::Color kMarked = toolkit::Rgb(255, 0, 0);
constexpr toolkit::Color kUnmarked = toolkit::Rgb(0, 0, 0);

}  // namespace

// One press picks one tile. Only the cells whose frame changes are redrawn.
void TileView::Display_MouseDown(int16_t button, int16_t, float x, float y) {
  MapGlobal& g = global();
  if (g.TileSize < 1) return;
  const int32_t cellX = PaletteCellTwipsX();
  const int32_t cellY = PaletteCellTwipsY();
  if (cellX < 1 || cellY < 1) return;

  // The gutter right of and below a tile belongs to that tile's cell.
  const int32_t col = RoundHalfEven(x) / cellX;
  const int32_t row = RoundHalfEven(y) / cellY;
  // Outside the whole cells (the part-cell strip, or a position left of or above the surface).
  if (col < 0 || row < 0 || col > PageCols - 1 || row > PageRows - 1) return;
  const int32_t t = PageCols * row + PageFirstTile + col;
  if (t >= g.TileCount) return;  // an empty cell of the last page
  const auto tile = static_cast<int16_t>(t);

  if (editor_.Main().MultipleTiles->Value() == 1) {
    if (button == toolkit::kLeftButton) {
      if (g.IsSelected(tile)) return;
      // The selection holds 500 entries: a 501st tile is refused, selection and frames unchanged.
      if (g.SelectedCount >= kMaxSelectedTiles) return;
      ++g.SelectedCount;
      g.SelectedTiles[static_cast<size_t>(g.SelectedCount)] = tile;
      RedrawCell(col, row, tile, kMarked);
      return;
    }
    if (g.SelectedCount < 1) return;
    int16_t p = 0;
    for (int16_t i = g.SelectedCount; i >= 1; --i) {
      if (g.SelectedTiles[static_cast<size_t>(i)] == tile) {
        p = i;
        break;
      }
    }
    if (p == 0) return;
    // The last entry fills the freed place.
    g.SelectedTiles[static_cast<size_t>(p)] = g.SelectedTiles[static_cast<size_t>(g.SelectedCount)];
    RedrawCell(col, row, tile, kUnmarked);
    --g.SelectedCount;
    return;
  }

  if (button != toolkit::kLeftButton) return;
  if (g.SelectedCount > 0) {
    const int32_t previous = g.SelectedTiles[1];
    // A previous tile on another page has no frame on screen to remove.
    if (previous >= PageFirstTile && previous < PageFirstTile + PageTiles) {
      const int32_t u = previous - PageFirstTile;
      RedrawCell(u % PageCols, u / PageCols, static_cast<int16_t>(previous), kUnmarked);
    }
  }
  g.SelectedCount = 1;
  g.SelectedTiles[1] = tile;
  RedrawCell(col, row, tile, kMarked);
}

}  // namespace korvane
