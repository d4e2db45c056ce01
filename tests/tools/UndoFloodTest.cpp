#include <set>

#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

using UndoFlood = ToolsTest;
using toolkit::MessageButtons;
using toolkit::MessageResult;

TEST_F(UndoFlood, FloodWithTwoTilesUsesOnlyThemOneNumberPerCell) {
  Select({4, 9});
  tk.messageAnswers = {MessageResult::Yes};
  view.FloodFillMap->onClick();
  ASSERT_EQ(tk.messagesAsked.size(), 1u);
  EXPECT_EQ(tk.messagesAsked[0].prompt, "Are you sure you want to flood fill the entire map?");
  EXPECT_EQ(tk.messagesAsked[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(tk.messagesAsked[0].title, "");
  std::set<int16_t> seen(view.MapTiles.Tiles().Cells().begin(),
                         view.MapTiles.Tiles().Cells().end());
  EXPECT_EQ(seen, (std::set<int16_t>{4, 9}));
  EXPECT_EQ(tk.randomCount, 80);
  EXPECT_EQ(view.MapChanged, 1);
}

TEST_F(UndoFlood, FloodPicksRowByRow) {
  MakeMap(2, 2);
  Select({4, 9});
  tk.randomValues = {0.1f, 0.6f, 0.6f, 0.1f};
  tk.messageAnswers = {MessageResult::Yes};
  view.FloodFillMap_Click();
  EXPECT_EQ(view.MapTiles.At(0, 0), 4);
  EXPECT_EQ(view.MapTiles.At(1, 0), 9);
  EXPECT_EQ(view.MapTiles.At(0, 1), 9);
  EXPECT_EQ(view.MapTiles.At(1, 1), 4);
}

TEST_F(UndoFlood, FloodAnsweredNoOrNotPossibleChangesNothing) {
  Select({4});
  tk.messageAnswers = {MessageResult::No};
  view.FloodFillMap_Click();
  EXPECT_EQ(tk.messagesAsked.size(), 1u);
  // Without a map, a sheet or a selection nothing is even asked.
  Select({});
  view.FloodFillMap_Click();
  Select({4});
  g.TileSize = 0;
  view.FloodFillMap_Click();
  g.TileSize = 16;
  view.MapWidth = 0;
  view.FloodFillMap_Click();
  EXPECT_EQ(tk.messagesAsked.size(), 1u);
  EXPECT_EQ(view.MapTiles.Tiles(), *Grid16::TryCreate(10, 8));
  EXPECT_EQ(view.MapChanged, 0);
  EXPECT_EQ(tk.randomCount, 0);
}

TEST_F(UndoFlood, UndoRevertsStrokeTwiceAlikeAndLeavesOverlayAndFlag) {
  view.OverlayData.Set(1, 1, 3);
  view.MapTiles.Set(4, 4, 12);
  view.MapTiles.TakeUndoSnapshot();
  const Grid16 before = view.MapTiles.Tiles();
  Select({5});
  Press(1, 1, 1);
  Move(1, 2, 1);
  Move(1, 2, 2);
  view.MapChanged = 0;  // as after a save
  view.CommandUndo->onClick();
  EXPECT_EQ(view.MapTiles.Tiles(), before);
  view.CommandUndo_Click();
  EXPECT_EQ(view.MapTiles.Tiles(), before);
  EXPECT_EQ(view.OverlayData.At(1, 1), 3);
  EXPECT_EQ(view.MapChanged, 0);
}

TEST_F(UndoFlood, UndoWithoutMapIsHarmless) {
  headless::HeadlessToolkit freshTk;
  freshTk.executableFolder = FreshFolder();
  Editor fresh(freshTk);
  MapView& empty = fresh.mapView();
  empty.CommandUndo_Click();
  EXPECT_EQ(empty.MapTiles.Width(), 0);
  EXPECT_EQ(empty.MapChanged, 0);
}

}  // namespace
}  // namespace korvane::tools_test
