#include <gtest/gtest.h>

#include <vector>

#include "tests/tiles/TilesFixture.h"

namespace korvane::tiletest {
namespace {

using PaletteTest = TilesTest;

TEST_F(PaletteTest, ShortWindowsPageTheSheet) {
  ASSERT_TRUE(ApplySample());
  SetSurfaceHeight(1420);  // room for 5 rows
  EXPECT_EQ(palette().PageTiles, 90);
  EXPECT_EQ(bar().Max(), 3);
  EXPECT_TRUE(bar().Enabled());
  bar().UserSetValue(2);
  EXPECT_EQ(palette().PageFirstTile, 90);
  const auto page2 = LastPaint(surface(), DrawCall::Kind::PaintPicture);
  ASSERT_EQ(page2.size(), 90u);
  EXPECT_EQ(page2[0].args, (std::vector<float>{0, 0, 240, 240, 0, 5 * 255, 240, 240}));

  // 100 tiles at 30 a page: a fourth page holds the last ten.
  ASSERT_TRUE(ApplySheet("16", "1", "0", Picture(169, 169)));
  SetSurfaceHeight(900);
  ASSERT_EQ(palette().PageTiles, 30);
  EXPECT_EQ(bar().Max(), 4);
  bar().UserSetValue(4);
  const auto page4 = LastPaint(surface(), DrawCall::Kind::PaintPicture);
  ASSERT_EQ(page4.size(), 10u);
  EXPECT_EQ(page4[0].args[5], 9 * 255);  // tile 90: sheet row 9
}

TEST_F(PaletteTest, ZoomDoublesTheCellsAndKeepsTheWidth) {
  ASSERT_TRUE(ApplySample());
  const float width = palette().window->Width();
  editor->mapView().TileZoom_Click();
  EXPECT_EQ(palette().PaletteCellTwipsX(), 510);
  EXPECT_EQ(palette().PageCols, 9);
  EXPECT_EQ(palette().window->Width(), width);
  EXPECT_EQ(LastPaint(surface(), DrawCall::Kind::PaintPicture)[1].args,
            (std::vector<float>{510, 0, 480, 480, 255, 0, 240, 240}));
  editor->mapView().TileZoom_Click();
  EXPECT_EQ(palette().ZoomStatus, 1);
  EXPECT_EQ(palette().PaletteCellTwipsX(), 270);
}

TEST_F(PaletteTest, AWindowNarrowerThanACellStillHasOneColumn) {
  ASSERT_TRUE(ApplySample());
  ResizePalette(100, 400);
  EXPECT_EQ(palette().PageCols, 1);
  EXPECT_EQ(bar().Max(), 270);  // one tile a page
}

}  // namespace
}  // namespace korvane::tiletest
