#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

using PressSequence = ToolsTest;

// A press that paints nothing still replaces the undo snapshot and marks the map as changed
// (without a sheet it does nothing at all); so does the press of a drag fill that is dropped.
// The drag step and the release that follow it, at the second position, paint nothing either.
TEST_F(PressSequence, PressDragAndReleaseThatPaintNothing) {
  struct Case {
    const char* name;
    int16_t mode, button;
    float px, py, x, y;  // pressed, then moved and released
    int16_t selected;    // the first of two selected tiles; 0: nothing selected
    bool smallMap;       // 5 x 4, narrower and shorter than the view
    int randoms = 0;
    bool sheet = true;
  };
  const int16_t N = kNormalPainting, F = kDragFill;
  const float x = AtX(1), y = AtY(1), x2 = AtX(2), y2 = AtY(2), sx = StripX(), sy = StripY();
  for (const Case& k :
       {Case{"right button", N, 2, x, y, x, y, 5, false},
        Case{"middle button", N, 4, x, y, x, y, 5, false},
        Case{"left and right together", N, 3, x, y, x, y, 5, false},
        Case{"strip right of the view", N, 1, sx, y, sx, y, 5, false},
        Case{"strip below the view", N, 1, x, sy, x, sy, 5, false},
        Case{"beyond the map's last column", N, 1, AtX(5), y, AtX(5), y, 5, true},
        Case{"beyond the map's last row", N, 1, x, AtY(4), x, AtY(4), 5, true},
        // A whole cell left of or above an unscrolled view names no map cell.
        Case{"a cell left of column 0", N, 1, -240.0f, y, -240.0f, y, 5, false},
        Case{"a cell above row 0", N, 1, x, -241.0f, x, -241.0f, 5, false},
        Case{"far off to the top left", N, 1, -1e30f, -1e30f, -1e30f, -1e30f, 5, false},
        Case{"nothing selected", N, 1, x, y, x, y, 0, false},
        Case{"cell holds a selected tile", N, 1, x2, y, x2, y, 9, false, 2},
        Case{"no sheet", N, 1, x, y, x, y, 5, false, 0, false},
        Case{"block paste only on a press", kBlockPaste, 1, sx, y, x, y, 5, false},
        Case{"fill into the strip", F, 1, x, y, sx, y2, 5, false},
        Case{"fill below the last row", F, 1, x, y, x2, sy, 5, false},
        Case{"fill past the map", F, 1, x, y, AtX(5), y2, 5, true},
        Case{"fill from a cell left of column 0", F, 1, -240.0f, y, x2, y2, 5, false},
        Case{"fill from a cell above row 0", F, 1, x, -300.0f, x2, y2, 5, false},
        Case{"fill released far left", F, 1, x, y, -1e9f, y2, 5, false},
        Case{"fill with nothing selected", F, 1, x, y, x2, y2, 0, false}}) {
    SCOPED_TRACE(k.name);
    MakeMap(k.smallMap ? 5 : 10, k.smallMap ? 4 : 8);
    SetMode(k.mode);
    v.MapTiles.Set(2, 1, 9);
    g.SelectedCount = k.selected ? 2 : 0;
    g.SelectedTiles[1] = k.selected;
    g.SelectedTiles[2] = static_cast<int16_t>(k.selected + 1);
    g.TileSize = k.sheet ? 16 : 0;
    EditSinceSnapshot();
    const Grid16 before = v.MapTiles.Tiles();
    const Grid16 undo = v.MapTiles.UndoTiles();
    ClearLogs();
    v.Display_MouseDown(k.button, 0, k.px, k.py);
    v.Display_MouseMove(k.button, 0, k.x, k.y);
    v.Display_MouseUp(k.button, 0, k.x, k.y);
    EXPECT_EQ(v.MapTiles.Tiles(), before);
    EXPECT_EQ(v.MapTiles.UndoTiles(), k.sheet ? before : undo);
    EXPECT_EQ(v.MapChanged, k.sheet ? 1 : 0);
    EXPECT_EQ(tk.randomCount, k.randoms);
    EXPECT_TRUE(Drawn().empty());
  }
}

// One undo reverts the press and the whole stroke, twice the same, and leaves the overlay and
// the change flag alone.
TEST_F(PressSequence, PressAndDragPaintOneCellEachInAScrolledView) {
  MakeMap(20, 8);
  SetView(6, 5, 6);
  Select({4, 5});
  v.MapTiles.Set(9, 0, 5);  // already a selected tile: kept, though a number is still drawn
  v.OverlayData.Set(7, 0, 3);
  const Grid16 before = v.MapTiles.Tiles();
  const Grid16 overlay = v.OverlayData;
  tk.randomValues = {0.0f, 0.9f, 0.0f, 0.9f, 0.0f, 0.0f, 0.0f};
  Press(1, 1, 0);
  Move(1, 2, 0);
  Move(1, 3, 0);
  Move(1, 2, 0);  // back over painted ground
  // Division truncates toward zero: less than a cell left of or above the display is still
  // view column or row 0.
  v.Display_MouseMove(1, 0, -239.0f, AtY(1));
  v.Display_MouseMove(1, 0, AtX(4), -10.0f);
  EXPECT_EQ(Drawn(),
            (Calls{TileCall(4, 1, 0), TileCall(5, 2, 0), TileCall(4, 0, 1), TileCall(4, 4, 0)}));
  EXPECT_TRUE(display().CallsOf(Kind::Clear).empty());  // no full redraw
  v.Display_MouseMove(1, 0, -240.0f, AtY(2));           // a whole cell left: a column scrolled out
  EXPECT_EQ(v.MapTiles.Tiles(),
            MapWith(20, 8, {{7, 0, 4}, {8, 0, 5}, {9, 0, 5}, {6, 1, 4}, {10, 0, 4}, {5, 2, 4}}));
  EXPECT_EQ(tk.randomCount, 7);
  EXPECT_EQ(v.MapTiles.UndoTiles(), before);  // drag steps take no snapshot of their own
  ASSERT_EQ(v.MapChanged, 1);
  v.MapChanged = 0;  // as after a save
  v.CommandUndo->onClick();
  EXPECT_EQ(v.MapTiles.Tiles(), before);
  v.CommandUndo->onClick();
  EXPECT_EQ(v.MapTiles.Tiles(), before);
  EXPECT_EQ(v.OverlayData, overlay);
  EXPECT_EQ(v.MapChanged, 0);
}

}  // namespace
}  // namespace korvane::tools_test
