#include <random>

#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

// Random strokes, fills, pastes, floods and undos, checked against the plainest possible undo:
// a full copy of the tiles taken at every tile-mode press.
class UndoModel : public ToolsTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(UndoModel, UndoCopyMatchesFullCopyModel) {
  std::mt19937 rng(GetParam());
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  MakeMap(9, 7);
  Grid16 modelUndo = view.MapTiles.Tiles();
  const int16_t buttons[] = {1, 1, 1, 2, 3, 4};

  for (int step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    if (pick(0, 19) == 0) SetView(6, 5, static_cast<int16_t>(6 * pick(0, 1)), 0);
    if (pick(0, 9) == 0) SetMode(static_cast<int16_t>(pick(0, 2)));
    if (pick(0, 9) == 0) {
      g.SelectedCount = static_cast<int16_t>(pick(0, 4));
      for (int i = 1; i <= g.SelectedCount; ++i)
        g.SelectedTiles[i] = static_cast<int16_t>(pick(0, 60));
    }
    // Positions from a cell left of the display to the strip beyond it.
    const float x = static_cast<float>(pick(-300, 1500));
    const float y = static_cast<float>(pick(-300, 1300));
    const int16_t button = buttons[pick(0, 5)];
    const Grid16 before = view.MapTiles.Tiles();
    bool pressed = false;
    switch (pick(0, 9)) {
      case 0:
      case 1:
        view.Display_MouseDown(button, 0, x, y);
        pressed = true;
        break;
      case 2:
      case 3:
      case 4:
        view.Display_MouseMove(button, 0, x, y);
        break;
      case 5:
      case 6:
        view.Display_MouseUp(button, 0, x, y);
        break;
      case 7:
        tk.messageAnswers = {pick(0, 1) ? toolkit::MessageResult::Yes : toolkit::MessageResult::No};
        view.FloodFillMap_Click();
        break;
      default:
        view.CommandUndo_Click();
        EXPECT_EQ(view.MapTiles.Tiles(), modelUndo);
        break;
    }
    if (pressed) modelUndo = before;
    ASSERT_EQ(view.MapTiles.UndoTiles(), modelUndo);
    // Every cell a tool wrote holds a tile of the selection (or came back from the undo copy).
    for (int cy = 0; cy < 7; ++cy) {
      for (int cx = 0; cx < 9; ++cx) {
        const int16_t now = view.MapTiles.At(cx, cy);
        if (now != before.At(cx, cy)) {
          ASSERT_TRUE(g.IsSelected(now) || now == modelUndo.At(cx, cy));
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoModel, testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
}  // namespace korvane::tools_test
