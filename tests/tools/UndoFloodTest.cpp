#include <array>
#include <functional>
#include <random>

#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

using UndoFlood = ToolsTest;
using toolkit::MessageResult;

TEST_F(UndoFlood, FloodAnsweredNoChangesNothingAndYesUsesOnlyTheSelection) {
  Select({4, 9});
  tk.messageAnswers = {MessageResult::No, MessageResult::Yes};
  v.FloodFillMap->onClick();
  EXPECT_EQ(v.MapTiles.Tiles(), *Grid16::TryCreate(10, 8));
  EXPECT_EQ(v.MapChanged, 0);
  EXPECT_EQ(tk.randomCount, 0);
  // Numbers are used row by row, one a cell, as a cell-by-cell fill would draw them.
  for (int i = 0; i < 80; ++i) tk.randomValues.push_back(i % 3 == 0 ? 0.9f : 0.1f);
  v.FloodFillMap->onClick();
  ASSERT_EQ(tk.messagesAsked.size(), 2u);
  EXPECT_EQ(tk.messagesAsked[1].prompt, "Are you sure you want to flood fill the entire map?");
  for (int i = 0; i < 80; ++i) ASSERT_EQ(v.MapTiles.At(i % 10, i / 10), i % 3 == 0 ? 9 : 4) << i;
  EXPECT_EQ(tk.randomCount, 80);  // one number per cell
  EXPECT_EQ(v.MapChanged, 1);
}

// Random presses, drags, releases, floods and undos in every painting mode, checked against the
// plainest undo there is: a full copy of the tiles taken at every tile-mode press.
class UndoModel : public ToolsTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(UndoModel, UndoCopyMatchesAFullCopyTakenAtEveryPress) {
  std::mt19937 rng(GetParam());
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  MakeMap(9, 7);
  Grid16 modelUndo = v.MapTiles.Tiles();
  for (int step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    if (pick(0, 19) == 0) SetView(6, 5, static_cast<int16_t>(6 * pick(0, 1)));
    if (pick(0, 9) == 0) SetMode(static_cast<int16_t>(pick(0, 2)));
    if (pick(0, 9) == 0) {
      g.SelectedCount = static_cast<int16_t>(pick(0, 4));
      for (int i = 1; i <= g.SelectedCount; ++i)
        g.SelectedTiles[i] = static_cast<int16_t>(pick(0, 60));
    }
    // From a cell left of or above the display to the strip beyond it, any buttons.
    const float x = static_cast<float>(pick(-300, 1500));
    const float y = static_cast<float>(pick(-300, 1300));
    const auto button = static_cast<int16_t>(std::array{1, 1, 1, 2, 3, 4}[pick(0, 5)]);
    const Grid16 before = v.MapTiles.Tiles();
    const std::function<void()> actions[] = {
        [&] {
          v.Display_MouseDown(button, 0, x, y);
          modelUndo = before;
        },
        [&] { v.Display_MouseMove(button, 0, x, y); }, [&] { v.Display_MouseUp(button, 0, x, y); },
        [&] {
          tk.messageAnswers = {pick(0, 1) ? MessageResult::Yes : MessageResult::No};
          v.FloodFillMap_Click();
        },
        [&] {
          v.CommandUndo_Click();
          EXPECT_EQ(v.MapTiles.Tiles(), modelUndo);
        }};
    actions[pick(0, 4)]();
    ASSERT_EQ(v.MapTiles.UndoTiles(), modelUndo);
    // Every cell a tool wrote holds a selected tile, unless undo brought it back.
    for (int cy = 0; cy < 7; ++cy)
      for (int cx = 0; cx < 9; ++cx) {
        const int16_t now = v.MapTiles.At(cx, cy);
        ASSERT_TRUE(now == before.At(cx, cy) || g.IsSelected(now) || now == modelUndo.At(cx, cy));
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoModel, testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
}  // namespace korvane::tools_test
