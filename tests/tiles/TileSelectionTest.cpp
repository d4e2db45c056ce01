#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/tiles/TilesFixture.h"

namespace korvane::tiletest {
namespace {

using toolkit::kLeftButton;
using toolkit::kMiddleButton;
using toolkit::kRightButton;

// A frame box drawn in the palette: its colour and the cell it surrounds, numbered y * 18 + x.
using Frame = std::pair<toolkit::Color, int>;

class TileSelectionTest : public TilesTest {
 protected:
  TileSelectionTest() {
    EXPECT_TRUE(ApplySample());
    surface().ClearLog();
  }
  void Multiple() { editor->mapView().MultipleTiles->SetValue(1); }
  void PressTile(int16_t button, int t) { PressCell(button, t % 18, t / 18); }
  std::vector<int16_t> Selection() {
    return {g().SelectedTiles.begin() + 1, g().SelectedTiles.begin() + 1 + g().SelectedCount};
  }
  // Frames drawn since the log was last cleared; clears it.
  std::vector<Frame> TakeFrames() {
    std::vector<Frame> out;
    for (const DrawCall& c : surface().CallsOf(DrawCall::Kind::FilledBox))
      out.emplace_back(c.color, static_cast<int>((c.args[1] + 15) / kCell) * 18 +
                                    static_cast<int>((c.args[0] + 15) / kCell));
    surface().ClearLog();
    return out;
  }
};

// A removal moves the last entry into the freed place.
TEST_F(TileSelectionTest, MultipleModeAddsAndRemovesByMovingTheLastEntry) {
  Multiple();
  PressTile(kRightButton, 3);  // nothing to remove
  PressTile(kLeftButton, 5);
  PressTile(kLeftButton, 9);
  PressTile(kLeftButton, 12);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{5, 9, 12}));
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kRed, 5}, {kRed, 9}, {kRed, 12}}));

  PressTile(kRightButton, 5);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{12, 9}));
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kBlack, 5}}));

  PressTile(kLeftButton, 9);    // already selected
  PressTile(kRightButton, 30);  // not selected
  EXPECT_EQ(Selection(), (std::vector<int16_t>{12, 9}));
  EXPECT_TRUE(surface().calls.empty());
}

TEST_F(TileSelectionTest, SingleModeMovesTheOneFrameToThePressedCell) {
  PressTile(kLeftButton, 7);
  TakeFrames();
  PressTile(kLeftButton, 30);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{30}));
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kBlack, 7}, {kRed, 30}}));
  PressTile(kRightButton, 40);
  PressTile(kMiddleButton, 40);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{30}));

  // A press in the gutter right of and below a tile selects it; the strip beyond the last whole
  // cells selects nothing.
  palette().Display_MouseDown(kLeftButton, 0, 250, 250);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{0}));
  ResizePalette(5000, 1675);  // 18 x 5 cells
  surface().ClearLog();
  palette().Display_MouseDown(kLeftButton, 0, 4900, 100);
  palette().Display_MouseDown(kLeftButton, 0, 100, 1400);
  EXPECT_EQ(Selection(), (std::vector<int16_t>{0}));
  EXPECT_TRUE(surface().calls.empty());
}

// The selection holds 500 tiles: the 501st is refused until one is removed.
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
}

}  // namespace
}  // namespace korvane::tiletest
