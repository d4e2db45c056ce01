#include <gtest/gtest.h>

#include <vector>

#include "tests/tiles/TilesFixture.h"

namespace korvane::tiletest {
namespace {

using toolkit::kLeftButton;
using toolkit::kMiddleButton;
using toolkit::kRightButton;

// A frame box drawn in the palette, by colour and cell.
struct Frame {
  toolkit::Color color;
  int x;
  int y;
  friend bool operator==(const Frame&, const Frame&) = default;
};

class TileSelectionTest : public TilesTest {
 protected:
  void SetUp() override {
    TilesTest::SetUp();
    ASSERT_TRUE(ApplySample());
    surface().ClearLog();
  }
  void Multiple() { editor.mapView().MultipleTiles->SetValue(1); }
  void PressTile(int16_t button, int t) { PressCell(button, t % 18, t / 18); }
  std::vector<int16_t> Selection() {
    return {g().SelectedTiles.begin() + 1, g().SelectedTiles.begin() + 1 + g().SelectedCount};
  }
  // Frames drawn since the log was last cleared; clears it.
  std::vector<Frame> TakeFrames() {
    std::vector<Frame> out;
    for (const DrawCall& c : surface().CallsOf(DrawCall::Kind::FilledBox))
      out.push_back({c.color, static_cast<int>((c.args[0] + 15) / kCell),
                     static_cast<int>((c.args[1] + 15) / kCell)});
    surface().ClearLog();
    return out;
  }
};

TEST_F(TileSelectionTest, MultipleModeAddsAndRemovesByMovingTheLastEntry) {
  Multiple();
  PressTile(kRightButton, 3);  // nothing to remove
  PressTile(kLeftButton, 5);
  PressTile(kLeftButton, 9);
  PressTile(kLeftButton, 12);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{5, 9, 12}));
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kRed, 5, 0}, {kRed, 9, 0}, {kRed, 12, 0}}));

  PressTile(kRightButton, 5);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{12, 9}));
  const auto tiles = surface().CallsOf(DrawCall::Kind::PaintPicture);
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kBlack, 5, 0}}));
  ASSERT_EQ(tiles.size(), 1u);
  EXPECT_EQ(SampleTileOf(tiles[0]), 5);

  PressTile(kLeftButton, 9);    // already selected
  PressTile(kRightButton, 30);  // not selected
  EXPECT_EQ(Selection(), (std::vector<int16_t>{12, 9}));
  EXPECT_TRUE(surface().calls.empty());
}

TEST_F(TileSelectionTest, RemovalTakesTheHighestEntryOfARepeatedTile) {
  Multiple();
  g().SelectedCount = 3;
  g().SelectedTiles[1] = 7;
  g().SelectedTiles[2] = 7;
  g().SelectedTiles[3] = 8;
  PressTile(kMiddleButton, 7);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{7, 8}));
}

TEST_F(TileSelectionTest, SingleModeMovesTheOneFrame) {
  PressTile(kLeftButton, 7);
  TakeFrames();
  PressTile(kLeftButton, 30);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{30}));
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kBlack, 7, 0}, {kRed, 12, 1}}));
  PressTile(kRightButton, 40);
  PressTile(kMiddleButton, 40);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{30}));
  EXPECT_TRUE(surface().calls.empty());
}

TEST_F(TileSelectionTest, SingleModeAcrossPagesOnlyDrawsTheNewFrame) {
  SetSurfaceHeight(1420);  // 90 tiles a page
  PressTile(kLeftButton, 7);
  bar().UserSetValue(2);
  surface().ClearLog();
  PressCell(kLeftButton, 5, 0);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{95}));
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kRed, 5, 0}}));
  bar().UserSetValue(1);
  EXPECT_TRUE(LastPaint(surface(), DrawCall::Kind::FilledBox).empty());
}

TEST_F(TileSelectionTest, PositionsMapToCellsAndOutsidePressesAreIgnored) {
  palette().Display_MouseDown(kLeftButton, 0, 250, 250);  // gutter right of and below tile 0
  EXPECT_EQ(Selection(), (std::vector<int16_t>{0}));
  palette().Display_MouseDown(kLeftButton, 0, 269.5f, 0);  // N(269.5) = 270: the next cell
  EXPECT_EQ(Selection(), (std::vector<int16_t>{1}));

  ResizePalette(5000, 1675);  // 18 x 5 cells, a strip beyond each
  surface().ClearLog();
  palette().Display_MouseDown(kLeftButton, 0, 4900, 100);
  palette().Display_MouseDown(kLeftButton, 0, 100, 1400);
  palette().Display_MouseDown(kLeftButton, 0, -300, 100);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{1}));
  EXPECT_TRUE(surface().calls.empty());
}

TEST_F(TileSelectionTest, EmptyCellsAndAMissingSheetIgnorePresses) {
  ASSERT_TRUE(ApplySheet("16", "1", "0", Picture(169, 169)));  // 100 tiles in 10 columns
  SetSurfaceHeight(900);                                       // 30 a page
  bar().UserSetValue(4);
  PressCell(kLeftButton, 0, 1);  // would be tile 100
  EXPECT_EQ(g().SelectedCount, 0);
  PressCell(kLeftButton, 9, 0);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{99}));

  ASSERT_TRUE(editor.UnloadTileView());
  editor.tileView().Display_MouseDown(kLeftButton, 0, 100, 100);
  EXPECT_EQ(g().SelectedCount, 0);
}

TEST_F(TileSelectionTest, A501stTileIsRefused) {
  ASSERT_TRUE(ApplySheet("16", "0", "0", Picture(400, 400)));  // 25 x 25 tiles, one page
  Multiple();
  for (int t = 0; t < 500; ++t) PressCell(kLeftButton, t % 25, t / 25);
  ASSERT_EQ(g().SelectedCount, 500);
  surface().ClearLog();
  PressCell(kLeftButton, 0, 20);  // tile 500
  EXPECT_EQ(g().SelectedCount, 500);
  EXPECT_FALSE(g().IsSelected(500));
  EXPECT_TRUE(surface().calls.empty());

  PressCell(kRightButton, 0, 0);
  PressCell(kLeftButton, 0, 20);
  EXPECT_TRUE(g().IsSelected(500));
  EXPECT_EQ(g().SelectedCount, 500);
}

}  // namespace
}  // namespace korvane::tiletest
