#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

using DragFill = ToolsTest;
using BlockPaste = ToolsTest;

// Whatever the direction and the button, the rectangle is filled row by row, every cell with a
// pick of its own, even one that already held a selected tile. Fills that are dropped are among
// the presses that paint nothing.
TEST_F(DragFill, FillsThePressReleaseRectangle) {
  SetMode(kDragFill);
  Select({5, 6});
  struct Stroke {
    int16_t button;
    int c1, r1, c2, r2;
  };
  for (const Stroke& s : {Stroke{1, 1, 1, 3, 2}, Stroke{1, 3, 2, 1, 1}, Stroke{2, 3, 1, 1, 2},
                          Stroke{4, 1, 2, 3, 1}}) {
    SCOPED_TRACE(s.button);
    MakeMap(10, 8);
    v.MapTiles.Set(2, 1, 5);
    tk.randomValues = {0.0f, 0.9f, 0.0f, 0.9f, 0.9f, 0.0f};
    ClearLogs();
    Press(s.button, s.c1, s.r1);
    Release(s.button, s.c2, s.r2);
    EXPECT_EQ(v.MapTiles.Tiles(),
              MapWith(10, 8, {{1, 1, 5}, {2, 1, 6}, {3, 1, 5}, {1, 2, 6}, {2, 2, 6}, {3, 2, 5}}));
    EXPECT_EQ(tk.randomCount, 6);
    EXPECT_TRUE(display().CallsOf(Kind::Clear).empty());  // redrawn in place, not refreshed
  }
}

// The lowest selected tile lands on the pressed cell, the others at their sheet offsets from it,
// clipped one by one at the map's edges; cells written outside the view are not drawn, the
// others are, in selection order.
TEST_F(BlockPaste, PastesTheSelectionInItsSheetLayout) {
  SetMode(kBlockPaste);
  struct Case {
    std::vector<int16_t> selection;
    int16_t w, h;
    int c, r;  // the pressed cell
    std::vector<std::array<int16_t, 3>> cells;
  };
  for (const Case& k :
       {Case{{20, 21, 38, 39}, 10, 8, 2, 2, {{2, 2, 20}, {3, 2, 21}, {2, 3, 38}, {3, 3, 39}}},
        Case{{39, 38, 21, 20}, 10, 8, 2, 2, {{2, 2, 20}, {3, 2, 21}, {2, 3, 38}, {3, 3, 39}}},
        // Anchor 3 (row 0, column 3); 19 is a row down and two columns left of it.
        Case{{3, 19}, 10, 8, 2, 0, {{2, 0, 3}, {0, 1, 19}}},
        Case{{3, 19}, 10, 8, 1, 0, {{1, 0, 3}}},  // 19 falls left of column 0
        // At the last whole column and row of the view: 21, 22 and 38 lie outside it.
        Case{{20, 21, 22, 38}, 8, 8, 5, 4, {{5, 4, 20}, {6, 4, 21}, {7, 4, 22}, {5, 5, 38}}},
        Case{{20, 21, 22, 38}, 7, 5, 5, 4, {{5, 4, 20}, {6, 4, 21}}}}) {
    SCOPED_TRACE(testing::Message() << k.selection[0] << " pressed at " << k.c << ", " << k.r);
    MakeMap(k.w, k.h);
    g.SelectedCount = 0;
    for (int16_t t : k.selection) g.SelectedTiles[++g.SelectedCount] = t;
    ClearLogs();
    Press(1, k.c, k.r);
    EXPECT_EQ(v.MapTiles.Tiles(), MapWith(k.w, k.h, k.cells));
    Calls drawn;
    for (int16_t t : k.selection)
      for (const auto& [x, y, cell] : k.cells)
        if (cell == t && x < 6 && y < 5) drawn.push_back(TileCall(t, x, y));
    EXPECT_EQ(Drawn(), drawn);
    EXPECT_EQ(tk.randomCount, 0);
  }
}

}  // namespace
}  // namespace korvane::tools_test
