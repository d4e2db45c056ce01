#include "tests/tools/ToolsFixture.h"
#include "tiles/TileView.h"
#include "tools/RandomTile.h"

namespace korvane::tools_test {
namespace {

using PressSequence = ToolsTest;

TEST_F(PressSequence, CellUnderPointerRoundsThenTruncates) {
  struct Row {
    int16_t zoom, grid;
    float x;
    int32_t c;
  };
  // Pitch 240 at zoom 1 without grid, 495 at zoom 2 with grid.
  for (const Row& row : {Row{2, 1, 1000.4f, 2}, Row{2, 1, 989.5f, 2}, Row{2, 1, 494.5f, 0},
                         Row{2, 1, 495.5f, 1}, Row{1, 0, 239.5f, 1}, Row{1, 0, 238.5f, 0},
                         Row{1, 0, -239.0f, 0}, Row{1, 0, -240.0f, -1}, Row{1, 0, -481.0f, -2}}) {
    view.MapZoomFactor = row.zoom;
    view.GridOn = row.grid;
    EXPECT_EQ(view.CellUnderPointer(row.x, 0).c, row.c) << row.x << " at zoom " << row.zoom;
    EXPECT_EQ(view.CellUnderPointer(0, row.x).r, row.c) << row.x << " at zoom " << row.zoom;
  }
}

TEST_F(PressSequence, RandomPickStaysInsideSelection) {
  Select({42});  // 0.99999994 + 1 rounds to 2 in single precision: still the one tile
  tk.randomValues = {0.99999994f};
  EXPECT_EQ(PickRandomTile(g, tk), 42);
  g.SelectedCount = kMaxSelectedTiles;
  for (int16_t i = 1; i <= kMaxSelectedTiles; ++i) g.SelectedTiles[i] = static_cast<int16_t>(i);
  tk.randomValues = {0.0f, 0.5f, 0.99999994f, 1.0f, -0.1f};  // the last two from a stray generator
  for (int16_t expected : {1, 251, 500, 500, 1}) EXPECT_EQ(PickRandomTile(g, tk), expected);
  EXPECT_EQ(tk.randomCount, 6);
}

TEST_F(PressSequence, NoPitchMeansNoCellAndNoDivision) {
  g.TileTwipsX = g.TileTwipsY = 0;
  g.PixelTwipsX = g.PixelTwipsY = 0;
  const ScreenCell cell = view.CellUnderPointer(100, 100);
  EXPECT_GT(cell.c, view.ViewCols);
  EXPECT_GT(cell.r, view.ViewRows);
  Select({5});
  for (int16_t mode : {kNormalPainting, kDragFill, kBlockPaste}) {
    SetMode(mode);
    view.Display_MouseDown(1, 0, 100, 100);
    view.Display_MouseMove(1, 0, 100, 100);
    view.Display_MouseUp(1, 0, 100, 100);
  }
  EXPECT_EQ(view.MapTiles.Tiles(), *Grid16::TryCreate(10, 8));
}

TEST_F(PressSequence, LeftPressPaintsPickAndDrawsOnlyThatCell) {
  MakeMap(20, 8);
  SetView(6, 5, 6, 0);
  Select({25, 30});
  tk.randomValues = {0.6f};  // floor(2 * 0.6) + 1 = 2: the second selected tile
  Press(1, 2, 1);
  EXPECT_EQ(view.MapTiles.At(8, 1), 30);
  EXPECT_EQ(view.MapChanged, 1);
  EXPECT_EQ(tk.randomCount, 1);
  ASSERT_EQ(Tiles().size(), 1u);
  ExpectTileDrawn(Tiles()[0], 30, 2, 1);
  EXPECT_TRUE(Surface().CallsOf(Kind::Clear).empty());
}

// Presses that change no cell still take the snapshot and mark the map as changed.
TEST_F(PressSequence, RejectedPressStillSnapshotsAndMarksChanged) {
  struct Case {
    const char* name;
    int16_t button;
    float x, y;
    int16_t selected;  // 0: empty selection
    int expectedRandoms;
    bool smallMap;  // 5 x 4, narrower and shorter than the 6 x 5 view
  };
  for (const Case& k : {
           Case{"right button", 2, AtX(1), AtY(1), 5, 0, false},
           Case{"middle button", 4, AtX(1), AtY(1), 5, 0, false},
           Case{"strip beyond last whole column", 1, StripX(), AtY(1), 5, 0, false},
           Case{"strip below last whole row", 1, AtX(1), StripY(), 5, 0, false},
           Case{"beyond map's last column", 1, AtX(5), AtY(1), 5, 0, true},
           Case{"beyond map's last row", 1, AtX(1), AtY(4), 5, 0, true},
           Case{"no selection", 1, AtX(1), AtY(1), 0, 0, false},
           Case{"cell holds a selected tile", 1, AtX(2), AtY(1), 9, 1, false},
       }) {
    SCOPED_TRACE(k.name);
    if (k.smallMap)
      MakeMap(5, 4);
    else
      MakeMap(10, 8);
    view.MapTiles.Set(2, 1, 9);
    if (k.selected)
      Select({k.selected, static_cast<int16_t>(k.selected + 1)});
    else
      Select({});
    EditSinceSnapshot();
    const Grid16 before = view.MapTiles.Tiles();
    ClearLogs();
    view.Display_MouseDown(k.button, 0, k.x, k.y);
    EXPECT_EQ(view.MapTiles.Tiles(), before);
    EXPECT_EQ(view.MapTiles.UndoTiles(), before);
    EXPECT_EQ(view.MapChanged, 1);
    EXPECT_EQ(tk.randomCount, k.expectedRandoms);
    EXPECT_TRUE(Tiles().empty());
  }
}

TEST_F(PressSequence, NoMapOrNoSheetDoesNothingAtAll) {
  Select({5});
  EditSinceSnapshot();
  const Grid16 undo = view.MapTiles.UndoTiles();
  g.TileSize = 0;
  Press(1, 1, 1);
  g.TileSize = 16;
  view.MapWidth = 0;
  Press(1, 1, 1);
  Move(1, 1, 1);
  EXPECT_EQ(view.MapTiles.UndoTiles(), undo);
  EXPECT_EQ(view.MapChanged, 0);
  EXPECT_EQ(tk.randomCount, 0);
}

TEST_F(PressSequence, DragPaintsEachNewCellOnceAndOneUndoRevertsStroke) {
  Select({4, 5});
  view.MapTiles.Set(3, 0, 5);  // already painted: kept, but a number is still drawn
  const Grid16 before = view.MapTiles.Tiles();
  tk.randomValues = {0.0f, 0.9f, 0.0f, 0.9f};
  Press(1, 1, 0);
  Move(1, 2, 0);
  Move(1, 3, 0);
  Move(1, 2, 0);  // back over painted ground
  EXPECT_EQ(view.MapTiles.At(1, 0), 4);
  EXPECT_EQ(view.MapTiles.At(2, 0), 5);
  EXPECT_EQ(view.MapTiles.At(3, 0), 5);
  EXPECT_EQ(tk.randomCount, 4);
  EXPECT_EQ(Tiles().size(), 2u);
  EXPECT_EQ(view.MapTiles.UndoTiles(), before);
  view.CommandUndo_Click();
  EXPECT_EQ(view.MapTiles.Tiles(), before);
}

TEST_F(PressSequence, DragStepsThatPaintNothing) {
  Select({5});
  view.Display_MouseMove(1, 0, StripX(), AtY(1));  // strip beyond the last whole column
  view.Display_MouseMove(1, 0, AtX(1), StripY());  // strip below the last whole row
  MakeMap(5, 4);
  Move(3, 1, 1);  // left and right held together
  Move(2, 1, 1);  // right alone
  Move(1, 5, 1);  // beyond the map's last column
  Move(1, 1, 4);  // beyond the map's last row
  SetMode(kDragFill);
  Move(1, 1, 1);
  SetMode(kBlockPaste);
  Move(1, 1, 1);
  EXPECT_EQ(view.MapTiles.Tiles(), *Grid16::TryCreate(5, 4));
  EXPECT_EQ(tk.randomCount, 0);
  EXPECT_TRUE(Tiles().empty());
}

TEST_F(PressSequence, DragJustLeftOfDisplayPaintsColumnZeroOfView) {
  MakeMap(20, 8);
  SetView(6, 5, 6, 0);
  Select({5});
  view.Display_MouseMove(1, 0, -239.0f, AtY(1));
  EXPECT_EQ(view.MapTiles.At(6, 1), 5);
  view.Display_MouseMove(1, 0, AtX(1), -10.0f);
  EXPECT_EQ(view.MapTiles.At(7, 0), 5);
  ASSERT_EQ(Tiles().size(), 2u);
  ExpectTileDrawn(Tiles()[0], 5, 0, 1);
}

// A drag step a whole cell left of or above an unscrolled view names no map cell.
TEST_F(PressSequence, DragStepBeforeMapColumnOrRowZeroIsIgnored) {
  Select({5});
  const Grid16 before = view.MapTiles.Tiles();
  view.Display_MouseMove(1, 0, -240.0f, AtY(1));
  view.Display_MouseMove(1, 0, -5000.0f, AtY(1));
  view.Display_MouseMove(1, 0, AtX(1), -241.0f);
  view.Display_MouseMove(1, 0, -1e30f, -1e30f);
  EXPECT_EQ(view.MapTiles.Tiles(), before);
  EXPECT_EQ(tk.randomCount, 0);
  EXPECT_TRUE(Tiles().empty());
  // Scrolled, the same step names a column scrolled out of view, which is painted.
  MakeMap(20, 8);
  SetView(6, 5, 6, 0);
  view.Display_MouseMove(1, 0, -240.0f, AtY(1));
  EXPECT_EQ(view.MapTiles.At(5, 1), 5);
}

TEST_F(PressSequence, ClearingMultipleTilesKeepsFirstSelectedTile) {
  Select({7, 3, 9});
  auto& palette = headless::H(*editor.tileView().Display);
  palette.ClearLog();
  view.MultipleTiles->SetValue(1);  // setting the box does nothing
  EXPECT_EQ(g.SelectedCount, 3);
  EXPECT_TRUE(palette.calls.empty());
  view.MultipleTiles->SetValue(0);
  EXPECT_EQ(g.SelectedCount, 1);
  EXPECT_EQ(g.SelectedTiles[1], 7);
  EXPECT_FALSE(palette.CallsOf(Kind::Clear).empty());  // the palette redrew its marks
  palette.ClearLog();
  view.MultipleTiles->SetValue(1);
  view.MultipleTiles->SetValue(0);  // one tile selected: nothing to drop
  EXPECT_EQ(g.SelectedCount, 1);
  EXPECT_TRUE(palette.calls.empty());
}

}  // namespace
}  // namespace korvane::tools_test
