// Random editing sessions through the menus and the mouse (presses in every painting mode, drags,
// fills, new maps, undos, overlay mode), with the undo copy checked after every step against the
// plainest model of it: a full copy of the tiles taken whenever the copy is due. (A load's undo
// copy: MapFileTest.)
// The layer journals changed cells and switches to a full copy once many changed; fills and
// presses on small maps take both ways.

#include <random>

#include "tests/document/DocumentFixture.h"

namespace korvane::testing_document {
namespace {

using toolkit::MessageResult;

class UndoSessionModel : public DocumentTest, public testing::WithParamInterface<uint32_t> {
 protected:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  std::mt19937 rng{GetParam()};
};

// The layer alone, while it journals changes (one cell changed again and again) and after it
// switched to a full copy.
TEST_P(UndoSessionModel, TheLayerUndoesToItsLastSnapshot) {
  TileLayer layer(MakeGrid(8, 8));
  Grid16 model = layer.Tiles();
  for (int step = 0; step < 2000; ++step) {
    if (const int what = Pick(0, 30); what == 0) {
      layer.TakeUndoSnapshot();
      model = layer.Tiles();
    } else if (what == 1) {
      layer.Undo();
      ASSERT_EQ(layer.Tiles(), model);
    } else {
      layer.Set(Pick(0, 7), Pick(0, 7), static_cast<int16_t>(Pick(0, 3)));
    }
    ASSERT_EQ(layer.UndoTiles(), model) << step;
  }
}

TEST_P(UndoSessionModel, TheUndoCopyIsTheTilesWhenTheLastCopyWasDue) {
  MapView& v = view();
  Grid16 model;  // empty before the first map
  for (int step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    const Grid16 tilesBefore = v.Map.MapTiles.Tiles();
    const bool tileModePress = v.Map.MapWidth >= 1 && !editor->DatViewVisible();
    const float x = static_cast<float>(Pick(-200, 2400)), y = static_cast<float>(Pick(-200, 2000));
    const int what = Pick(0, 13);
    if (what <= 4) {
      v.PaintMode->SetListIndex(static_cast<int16_t>(Pick(0, 2)));
      v.Display_MouseDown(static_cast<int16_t>(Pick(1, 2)), 0, x, y);
      if (tileModePress) model = tilesBefore;
    } else if (what <= 7) {
      v.Display_MouseMove(1, 0, x, y);
    } else if (what == 8) {
      v.Display_MouseUp(1, 0, x, y);
    } else if (what == 9) {
      tk.messageAnswers = {Pick(0, 1) ? MessageResult::Yes : MessageResult::No};
      v.FloodFillMap_Click();
    } else if (what <= 11) {
      v.CommandUndo_Click();
      ASSERT_EQ(v.Map.MapTiles.Tiles(), model);
    } else if (what == 12) {
      const bool go = v.Map.MapChanged != 1 || Pick(0, 3) != 0;  // to lose the changes
      tk.messageAnswers = {go ? MessageResult::Yes : MessageResult::No};
      const int w = Pick(0, 9), h = Pick(0, 9);
      tk.inputAnswers = {std::to_string(w), std::to_string(h)};
      v.MENU_NEW_MAP_Click();
      if (go && w >= 1 && h >= 1) model = MakeGrid(w, h);  // a side below 1 is refused
    } else {
      v.MENU_DATA_VIEW_Click();
    }
    tk.messageAnswers.clear();
    tk.inputAnswers.clear();
    ASSERT_EQ(v.Map.MapTiles.UndoTiles(), model);
    ASSERT_EQ(v.Map.MapTiles.Width(), v.Map.MapWidth);
    ASSERT_EQ(v.Map.OverlayData.Height(), v.Map.MapHeight);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoSessionModel, testing::Values(11u, 12u, 13u));

}  // namespace
}  // namespace korvane::testing_document
