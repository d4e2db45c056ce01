#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/tiles/TilesFixture.h"

namespace korvane::tiletest {
namespace {

using PaletteTest = TilesTest;

TEST_F(PaletteTest, OkFitsTheWindowToTheSheetAndShowsOnePage) {
  ASSERT_TRUE(ApplySample());
  EXPECT_EQ(palette().Display->ScaleWidth(), 4830);  // 18 cells without the last gutter
  EXPECT_EQ(palette().PageCols, 18);
  EXPECT_EQ(bar().Max(), 1);
  EXPECT_FALSE(bar().Enabled());
  const auto tiles = LastPaint(surface(), DrawCall::Kind::PaintPicture);
  ASSERT_EQ(tiles.size(), 270u);
  EXPECT_EQ(tiles[19].args, (std::vector<float>{270, 270, 240, 240, 255, 255, 240, 240}));
  EXPECT_EQ(tiles[19].picture, g().TileSheet.get());
}

TEST_F(PaletteTest, ShortWindowPagesTheSheet) {
  ASSERT_TRUE(ApplySample());
  SetSurfaceHeight(1420);  // room for 5 rows
  EXPECT_EQ(palette().PageTiles, 90);
  EXPECT_EQ(bar().Max(), 3);
  EXPECT_TRUE(bar().Enabled());
  bar().UserSetValue(2);
  EXPECT_EQ(palette().PageFirstTile, 90);
  const auto tiles = LastPaint(surface(), DrawCall::Kind::PaintPicture);
  ASSERT_EQ(tiles.size(), 90u);
  EXPECT_EQ(SampleTileOf(tiles[0]), 90);
  EXPECT_EQ(tiles[0].args[1], 0);
}

TEST_F(PaletteTest, LastPageIsPartlyFilled) {
  ASSERT_TRUE(ApplySheet("16", "1", "0", Picture(169, 169)));  // 10 x 10 tiles
  SetSurfaceHeight(900);                                       // 3 rows: 30 a page
  ASSERT_EQ(palette().PageTiles, 30);
  EXPECT_EQ(bar().Max(), 4);
  bar().UserSetValue(4);
  const auto tiles = LastPaint(surface(), DrawCall::Kind::PaintPicture);
  ASSERT_EQ(tiles.size(), 10u);
  EXPECT_EQ(tiles[0].args[5], 9 * 255);  // tile 90: sheet row 9, column 0
  EXPECT_EQ(tiles[9].args[4], 9 * 255);  // tile 99: column 9
}

TEST_F(PaletteTest, ZoomDoublesTheCellsAndKeepsTheWidth) {
  ASSERT_TRUE(ApplySample());
  const float width = palette().window->Width();
  editor.mapView().TileZoom_Click();
  EXPECT_EQ(palette().PaletteCellTwipsX(), 510);
  EXPECT_EQ(palette().PageCols, 9);
  EXPECT_EQ(palette().window->Width(), width);
  EXPECT_EQ(LastPaint(surface(), DrawCall::Kind::PaintPicture)[1].args,
            (std::vector<float>{510, 0, 480, 480, 255, 0, 240, 240}));
  H(*palette().Command1).Click();  // "O" refits for the new zoom
  EXPECT_EQ(palette().PageCols, 18);
  editor.mapView().TileZoom_Click();
  EXPECT_EQ(palette().ZoomStatus, 1);
}

TEST_F(PaletteTest, TinyWindowsStillHaveOneCellAndShortOnesKeepTheirLayout) {
  ASSERT_TRUE(ApplySample());
  ResizePalette(100, 400);
  EXPECT_EQ(palette().PageCols, 1);
  EXPECT_EQ(palette().PageRows, 1);
  EXPECT_EQ(bar().Max(), 270);
  const toolkit::Place before = palette().Display->GetPlace();
  ResizePalette(3000, 255);
  EXPECT_EQ(palette().Display->GetPlace(), before);
}

TEST_F(PaletteTest, ResizeLaysOutAndRepaintsOnlyWhenTheCellsChange) {
  ASSERT_TRUE(ApplySample());
  EXPECT_EQ(palette().HScroll->GetPlace(), (toolkit::Place{0, 7545, 4575, 255}));
  EXPECT_EQ(palette().Command1->GetPlace(), (toolkit::Place{4575, 7545, 255, 255}));
  const int paints = surface().paintCount;
  ResizePalette(4900, 7790);  // still 18 x 28 cells
  EXPECT_EQ(surface().paintCount, paints);
  ResizePalette(4900, 3000);
  EXPECT_EQ(surface().paintCount, paints + 1);
}

TEST_F(PaletteTest, SelectedTilesGetARedFrameUnderTheTile) {
  ASSERT_TRUE(ApplySample());
  g().SelectedCount = 1;
  g().SelectedTiles[1] = 20;
  palette().Display->Refresh();
  const auto& calls = surface().calls;
  const auto box = std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& c) {
    return c.kind == DrawCall::Kind::FilledBox;
  });
  ASSERT_NE(box, calls.rend());
  EXPECT_EQ(box->color, kRed);
  // Cell (2, 1): from one pixel before the cell to the first pixel past the tile.
  EXPECT_EQ(box->args, (std::vector<float>{525, 255, 255, 255}));
  EXPECT_EQ(SampleTileOf(*(box - 1)), 20);  // the tile is drawn over it
  EXPECT_EQ(LastPaint(surface(), DrawCall::Kind::FilledBox).size(), 1u);
}

}  // namespace
}  // namespace korvane::tiletest
