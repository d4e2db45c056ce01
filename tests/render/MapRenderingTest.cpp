#include <array>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"

namespace korvane::testing_support {
namespace {

using headless::H;
using Kind = headless::DrawCall::Kind;
using Calls = std::vector<std::vector<float>>;

class MapRendering : public EditorTest {
 protected:
  // The arguments of each call of a kind in one full redraw.
  Calls Redraw(Kind kind) {
    display().ClearLog();
    display().Refresh();
    Calls out;
    for (const auto& c : display().CallsOf(kind)) out.push_back(c.args);
    return out;
  }
  void OverlayMode() { editor->datView().window->SetVisible(true); }
};

// At zoom 2 with the grid the pitch is 495 twips and a tile 480. Only cells on the map whose tile
// is below TileCount are drawn, a negative tile number draws no tile but keeps its marker, and
// markers are drawn only in overlay mode, for values above 0, centred on the tile.
TEST_F(MapRendering, DrawsEachCellsTileAndMarkerWhereTheyBelong) {
  ShowMap(9, 7);  // wider and taller than the 8 x 6 whole cells that fit
  H(*view().MapZoom).Click();
  H(*view().Grid).Click();
  // One past the last tile; the last tile (sheet row 14, column 17); a negative tile; then
  // overlay values 7, 0 and -2.
  // clang-format off
  for (auto [x, y, tile, value] : {std::array<int16_t, 4>{1, 0, 270, 5}, {3, 0, 269, 0},
                                   {0, 2, -1, 12}, {2, 1, 0, 7}, {3, 1, 0, 0}, {4, 1, 0, -2}}) {
    // clang-format on
    view().Map.MapTiles.Set(x, y, tile);
    view().Map.OverlayData.Set(x, y, value);
  }
  EXPECT_TRUE(Redraw(Kind::Circle).empty());  // tile mode: no markers at all
  OverlayMode();
  Calls tiles;
  for (float y = 0; y < 6; ++y)
    for (float x = 0; x < 8; ++x)
      if ((x != 1 || y != 0) && (x != 0 || y != 2))
        tiles.push_back({x * 495, y * 495, 480, 480, x == 3 && y == 0 ? 17 * 255.0f : 0,
                         x == 3 && y == 0 ? 14 * 255.0f : 0, 240, 240});
  EXPECT_EQ(Redraw(Kind::PaintPicture), tiles);
  EXPECT_EQ(Redraw(Kind::Circle), (Calls{{1230, 735, 210}, {240, 1230, 210}}));
  // The digits measure 105 x 195 twips each, halved without truncating.
  EXPECT_EQ(Redraw(Kind::Print), (Calls{{990 + 187.5f, 495 + 142.5f}, {135, 990 + 142.5f}}));
}

// Without a map, without a sheet, or before the palette counted the sheet's tiles, nothing is
// drawn; the smallest map, a sheet of one tile and tiles of one pixel are drawn like any other.
TEST_F(MapRendering, DrawsFromTheSmallestMapAndSheetButNothingWithoutEither) {
  SizeDisplay(4000, 3000);
  // clang-format off
  struct Row { int16_t mapSize, tileSize; int32_t sheetPx; int16_t tileCount; size_t drawn; };
  for (const Row& r : {Row{0, 16, 305, 270, 0}, {1, 0, 305, 270, 0}, {1, 16, 305, 0, 0},
                       {1, 16, 305, 270, 1}, {1, 16, 16, 1, 1}, {1, 1, 1, 1, 1}}) {
    // clang-format on
    ApplyTestSheet(global());
    global().TileSize = r.tileSize;
    global().TileTwipsX = global().TileTwipsY = static_cast<int16_t>(15 * r.tileSize);
    global().TileSheet = std::make_shared<headless::HeadlessPicture>(r.sheetPx, r.sheetPx);
    global().TileCount = r.tileCount;
    if (r.mapSize) MakeTestMap(view(), r.mapSize, r.mapSize);
    EXPECT_EQ(Redraw(Kind::PaintPicture).size(), r.drawn)
        << r.mapSize << " cells, tile " << r.tileSize << " on " << r.sheetPx;
  }
}

// A scroll bar pushed back into range redraws the display from inside a drawing; the outer
// drawing must not draw every cell a second time on top (overlay numbers would print twice).
TEST_F(MapRendering, AScrollBarMovedIntoRangeDrawsEachCellOnce) {
  view().MapZoomFactor = 2;
  ShowMap(40, 20);  // 8 cells across at zoom 2: five pages
  view().Map.OverlayData.Set(35, 0, 3);
  OverlayMode();
  H(*view().HScroll).SetValue(5);
  view().MapZoomFactor = 1;  // 16 x 12 cells: three pages, so page 5 moves to page 3
  display().ClearLog();
  display().Refresh();
  // Columns 32 to 39 of the twelve rows shown, each drawn once, and the one marker once.
  EXPECT_EQ(display().CallsOf(Kind::PaintPicture).size(), 96u);
  EXPECT_EQ(display().CallsOf(Kind::Print).size(), 1u);
}

// The painter puts the map cells of a rectangle at a screen-cell origin of the caller's choice
// (a strip of a larger picture, with neighbours around it); cells outside the map are skipped.
TEST_F(MapRendering, PaintsARectangleOfCellsFromAnyOrigin) {
  ApplyTestSheet(global());
  MapDocument map;
  map.MapWidth = 3;
  map.MapHeight = 2;
  map.MapTiles = TileLayer(*Grid16::TryCreate(3, 2));
  for (int16_t t = 0; t < 6; ++t) map.MapTiles.Set(t % 3, t / 3, static_cast<int16_t>(20 * t));
  // drawn: tile, screen column, screen row
  // clang-format off
  struct Row { CellRect cells; ScreenCell origin; std::vector<std::array<int, 3>> drawn; };
  // clang-format on
  const Row rows[] = {
      {{1, 1, 2, 1}, {0, 0}, {{80, 0, 0}, {100, 1, 0}}},
      {{-1, -1, 3, 3}, {2, 3}, {{0, 3, 4}, {20, 4, 4}, {60, 3, 5}, {80, 4, 5}}},
      {{2, 0, 2, 3}, {-1, -2}, {{40, -1, -2}, {100, -1, -1}}},
      {{3, 0, 1, 2}, {0, 0}, {}},
  };
  for (const auto& row : rows) {
    display().ClearLog();
    PaintMapCells(*view().Display, view().PaintSetup(global()), map, row.cells, row.origin);
    Calls want;
    for (const auto& [t, c, r] : row.drawn)
      want.push_back(
          {c * 240.0f, r * 240.0f, 240, 240, (t % 18) * 255.0f, (t / 18) * 255.0f, 240, 240});
    Calls got;
    for (const auto& call : display().CallsOf(Kind::PaintPicture)) got.push_back(call.args);
    EXPECT_EQ(got, want) << row.cells.left << "," << row.cells.top;
  }
}

TEST_F(MapRendering, LoadsTheCommandLineMapOnTheFirstPaintOnly) {
  ShowMap(12, 7);
  view().Map.MapTiles.Set(2, 3, 25);
  ASSERT_TRUE(view().SaveNow(Folder() + "/first.map"));
  MakeTestMap(view(), 2, 2);
  view().StartupMapFile = Folder() + "/first.map";  // as start-up took it from the command line
  for (int paint = 0; paint < 3; ++paint) display().Refresh();
  ASSERT_EQ(view().Map.MapWidth, 12);
  EXPECT_EQ(view().Map.MapTiles.At(2, 3), 25);
  EXPECT_EQ(tk.doEventsCount, 1);  // the load lets pending events run once, and only one load ran
}

}  // namespace
}  // namespace korvane::testing_support
