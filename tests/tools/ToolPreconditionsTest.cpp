// When a press or a drag on the map writes at all: a map, a sheet and a selection are each
// enough at their smallest (one cell, one-pixel tiles, one tile), and nothing is written without
// one of them.

#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

class ToolPreconditions : public testing_support::EditorTest {
 protected:
  // A sheet of `tileSize`-pixel tiles (none for 0) and a one-cell map filling the view.
  void Prepare(int16_t tileSize, int16_t selected) {
    MapGlobal& g = global();
    testing_support::ApplyTestSheet(g);
    g.TileSize = tileSize;
    g.TileSpacing = 0;
    g.TileTwipsX = g.TileTwipsY = 15.0f * tileSize;
    g.SelectedCount = selected;
    g.SelectedTiles[1] = 5;
    testing_support::MakeTestMap(view(), 1, 1);
    view().Display->SetPlace(
        toolkit::Place{0, 375, 15.0f * tileSize + 120, 15.0f * tileSize + 120});
    view().UpdateViewGeometry();
  }
};

TEST_F(ToolPreconditions, EachToolWritesWithTheSmallestMapSheetAndSelection) {
  const struct {
    int16_t tileSize, selected;
    bool writes;
  } rows[] = {{1, 1, true}, {2, 1, true}, {1, 0, false}, {0, 1, false}};
  for (const int16_t mode : {kNormalPainting, kDragFill})
    for (const auto& row : rows) {
      Prepare(row.tileSize, row.selected);
      view().PaintMode->SetListIndex(mode);
      const float middle = 7.5f * row.tileSize;
      view().Display_MouseDown(1, 0, middle, middle);
      view().Display_MouseUp(1, 0, middle, middle);
      EXPECT_EQ(view().Map.MapTiles.At(0, 0), row.writes ? 5 : 0)
          << "mode " << mode << ", " << row.tileSize << "-pixel tiles, " << row.selected
          << " selected";
    }
}

}  // namespace
}  // namespace korvane
