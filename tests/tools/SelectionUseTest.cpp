#include <gtest/gtest.h>

#include <limits>

#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"
#include "tools/RandomTile.h"

namespace korvane {
namespace {

using testing_support::ApplyTestSheet;
using testing_support::EditorTest;

class SelectionUseTest : public EditorTest {
 protected:
  void Select(int16_t count) {
    global().SelectedCount = count;
    for (int16_t i = 1; i <= count; ++i) global().SelectedTiles[i] = static_cast<int16_t>(100 + i);
  }
};

// The largest float below 1 must still name the last entry, not the one past it.
TEST_F(SelectionUseTest, RandomPickStaysInsideTheSelection) {
  const struct {
    int16_t count;
    float r;
    int16_t tile;
  } rows[] = {{1, 0.0f, 101},
              {1, 0.99999994f, 101},
              {500, 0.0f, 101},
              {500, 0.99999994f, 600},
              {4, 0.5f, 103},
              {3, 0.3333f, 101},
              // A generator straying outside [0, 1) still lands inside the selection.
              {3, 1.0f, 103},
              {3, 1e30f, 103},
              {3, -0.5f, 101},
              {3, std::numeric_limits<float>::quiet_NaN(), 101}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.count);
    Select(row.count);
    tk.randomValues = {row.r};
    const int before = tk.randomCount;
    EXPECT_EQ(PickRandomTile(global(), tk), row.tile);
    EXPECT_EQ(tk.randomCount, before + 1);
  }
}

TEST_F(SelectionUseTest, ClearingMultipleTilesKeepsOnlyTheFirstEntry) {
  ApplyTestSheet(global());
  toolkit::CheckBox& box = *view().MultipleTiles;
  box.SetValue(1);
  Select(3);
  auto& palette = headless::H(*editor->tileView().Display);
  const int paints = palette.paintCount;

  box.SetValue(0);
  EXPECT_EQ(global().SelectedCount, 1);
  EXPECT_EQ(global().SelectedTiles[1], 101);
  EXPECT_EQ(palette.paintCount, paints + 1);

  // Setting the box again restores nothing; clearing it with one tile selected does nothing.
  box.SetValue(1);
  box.SetValue(0);
  EXPECT_EQ(global().SelectedCount, 1);
  EXPECT_EQ(palette.paintCount, paints + 1);
}

}  // namespace
}  // namespace korvane
