#include <set>

#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

class DragFill : public ToolsTest {
 protected:
  DragFill() { SetMode(kDragFill); }

  // Cells that differ from `before`.
  std::set<std::pair<int, int>> Changed(const Grid16& before) const {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < before.Height(); ++y)
      for (int x = 0; x < before.Width(); ++x)
        if (view.MapTiles.At(x, y) != before.At(x, y)) out.insert({x, y});
    return out;
  }
  static std::set<std::pair<int, int>> Rect(int x1, int y1, int x2, int y2) {
    std::set<std::pair<int, int>> out;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) out.insert({x, y});
    return out;
  }
};

TEST_F(DragFill, FillsRowsTopToBottomWithOwnPicks) {
  Select({5, 6});
  tk.randomValues = {0.0f, 0.9f, 0.0f, 0.9f, 0.9f, 0.0f};
  Press(1, 1, 1);
  Move(1, 2, 2);  // moving draws nothing in this mode
  EXPECT_EQ(tk.randomCount, 0);
  Release(1, 3, 2);
  const int16_t expected[2][3] = {{5, 6, 5}, {6, 6, 5}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(view.MapTiles.At(1 + x, 1 + y), expected[y][x]);
  EXPECT_EQ(tk.randomCount, 6);
  EXPECT_TRUE(Surface().CallsOf(Kind::Clear).empty());  // redrawn directly, not refreshed
}

TEST_F(DragFill, EitherDirectionAndEitherButtonFillTheSameRectangle) {
  Select({5});
  const Grid16 blank = view.MapTiles.Tiles();
  struct Stroke {
    int16_t button;
    int c1, r1, c2, r2;
  };
  for (const Stroke& s : {Stroke{1, 1, 1, 3, 2}, Stroke{1, 3, 2, 1, 1}, Stroke{2, 3, 1, 1, 2},
                          Stroke{4, 1, 2, 3, 1}}) {
    view.MapTiles = TileLayer(blank);
    Press(s.button, s.c1, s.r1);
    Release(s.button, s.c2, s.r2);
    EXPECT_EQ(Changed(blank), Rect(1, 1, 3, 2)) << "button " << s.button;
  }
}

TEST_F(DragFill, SameCellGetsNewPickEvenWhenAlreadySelected) {
  Select({5, 6});
  view.MapTiles.Set(2, 2, 5);
  tk.randomValues = {0.7f};
  Press(1, 2, 2);
  Release(1, 2, 2);
  EXPECT_EQ(view.MapTiles.At(2, 2), 6);
  EXPECT_EQ(tk.randomCount, 1);
}

TEST_F(DragFill, DroppedReleasesChangeNothingButPressStillCounts) {
  struct Case {
    const char* name;
    float pressX, pressY, releaseX, releaseY;
    bool smallMap;
    bool selection = true;
  };
  for (const Case& k : {
           Case{"far corner in the strip", AtX(1), AtY(1), StripX(), AtY(2), false},
           Case{"far corner below last row", AtX(1), AtY(1), AtX(2), StripY(), false},
           Case{"far corner beyond the map", AtX(1), AtY(1), AtX(5), AtY(2), true},
           // Begins a whole cell left of / above map column and row 0: dropped whole.
           Case{"begins left of column 0", -240.0f, AtY(1), AtX(2), AtY(2), false},
           Case{"begins above row 0", AtX(1), -300.0f, AtX(2), AtY(2), false},
           Case{"released far left", AtX(1), AtY(1), -1e9f, AtY(2), false},
           Case{"nothing selected", AtX(1), AtY(1), AtX(2), AtY(2), false, false},
       }) {
    SCOPED_TRACE(k.name);
    if (k.smallMap)
      MakeMap(5, 4);
    else
      MakeMap(10, 8);
    if (k.selection)
      Select({5});
    else
      Select({});
    EditSinceSnapshot();
    const Grid16 before = view.MapTiles.Tiles();
    ClearLogs();
    view.Display_MouseDown(1, 0, k.pressX, k.pressY);
    view.Display_MouseUp(1, 0, k.releaseX, k.releaseY);
    EXPECT_EQ(view.MapTiles.Tiles(), before);
    EXPECT_EQ(view.MapTiles.UndoTiles(), before);
    EXPECT_EQ(view.MapChanged, 1);
    EXPECT_EQ(tk.randomCount, 0);
  }
}

TEST_F(DragFill, ReleaseLeftOfScrolledViewReachesColumnsOutOfView) {
  MakeMap(20, 8);
  SetView(6, 5, 6, 0);
  Select({5});
  const Grid16 blank = view.MapTiles.Tiles();
  Press(1, 1, 1);                               // map column 7
  view.Display_MouseUp(1, 0, -100.0f, AtY(1));  // column 0 of the view: map column 6
  EXPECT_EQ(Changed(blank), Rect(6, 1, 7, 1));
  Press(1, 1, 2);
  view.Display_MouseUp(1, 0, -300.0f, AtY(2));  // a whole cell left: map column 5
  EXPECT_EQ(Changed(blank),
            (std::set<std::pair<int, int>>{{6, 1}, {7, 1}, {5, 2}, {6, 2}, {7, 2}}));
}

class BlockPaste : public ToolsTest {
 protected:
  BlockPaste() { SetMode(kBlockPaste); }
};

TEST_F(BlockPaste, SelectionKeepsItsSheetLayoutFromLowestTile) {
  for (auto order : {std::initializer_list<int16_t>{20, 21, 38, 39}, {39, 38, 21, 20}}) {
    MakeMap(10, 8);
    Select(order);
    ClearLogs();
    Press(1, 2, 2);
    EXPECT_EQ(view.MapTiles.At(2, 2), 20);
    EXPECT_EQ(view.MapTiles.At(3, 2), 21);
    EXPECT_EQ(view.MapTiles.At(2, 3), 38);
    EXPECT_EQ(view.MapTiles.At(3, 3), 39);
    EXPECT_EQ(tk.randomCount, 0);
    ASSERT_EQ(Tiles().size(), 4u);
    // The anchor (sheet column 2, row 1) is on cell (2, 2), so tile t is drawn at
    // (t mod 18, t / 18 + 1); tiles are drawn in selection order.
    const int16_t first = g.SelectedTiles[1];
    ExpectTileDrawn(Tiles()[0], first, first % 18, first / 18 + 1);
  }
}

TEST_F(BlockPaste, TileLeftOfAnchorIsClippedAtColumnZero) {
  Select({3, 19});  // anchor 3 (row 0, column 3); 19 sits one row down, two columns left
  Press(1, 2, 0);
  EXPECT_EQ(view.MapTiles.At(2, 0), 3);
  EXPECT_EQ(view.MapTiles.At(0, 1), 19);
  MakeMap(10, 8);
  ClearLogs();
  Press(1, 1, 0);
  EXPECT_EQ(view.MapTiles.At(1, 0), 3);
  Grid16 expected = *Grid16::TryCreate(10, 8);
  expected.Set(1, 0, 3);
  EXPECT_EQ(view.MapTiles.Tiles(), expected);
  EXPECT_EQ(Tiles().size(), 1u);
}

TEST_F(BlockPaste, TilesBeyondViewAreWrittenNotDrawnAndBeyondMapSkipped) {
  Select({20, 21, 22, 38});
  MakeMap(8, 8);
  Press(1, 5, 4);  // last whole column and row of the 6 x 5 view
  EXPECT_EQ(view.MapTiles.At(5, 4), 20);
  EXPECT_EQ(view.MapTiles.At(6, 4), 21);  // in the map, outside the view
  EXPECT_EQ(view.MapTiles.At(7, 4), 22);
  EXPECT_EQ(view.MapTiles.At(5, 5), 38);
  ASSERT_EQ(Tiles().size(), 1u);
  ExpectTileDrawn(Tiles()[0], 20, 5, 4);
  MakeMap(7, 5);
  Press(1, 5, 4);  // 22 and 38 fall off the map's right and bottom edges
  EXPECT_EQ(view.MapTiles.At(5, 4), 20);
  EXPECT_EQ(view.MapTiles.At(6, 4), 21);
}

TEST_F(BlockPaste, OnlyLeftButtonAndOnlyWithSheetColumns) {
  Select({20, 21});
  Press(2, 1, 1);
  Press(4, 1, 1);
  EXPECT_EQ(view.MapTiles.Tiles(), *Grid16::TryCreate(10, 8));
  g.TileSheet = nullptr;  // no columns to take offsets from
  Press(1, 1, 1);
  EXPECT_EQ(view.MapTiles.Tiles(), *Grid16::TryCreate(10, 8));
  EXPECT_EQ(view.MapChanged, 1);
}

}  // namespace
}  // namespace korvane::tools_test
