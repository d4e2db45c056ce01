#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

class OverlayPlacement : public ToolsTest {
 protected:
  OverlayPlacement() : dat(ShowCatalogue()) {
    view.MapTiles.Set(2, 1, 25);
    view.MapTiles.TakeUndoSnapshot();
  }
  void Choose(int16_t entry) {
    dat.Items->SetListIndex(entry);
    ClearLogs();
  }
  DatView& dat;
};

TEST_F(OverlayPlacement, AnyButtonPlacesChosenEntryAndDrawsMarker) {
  Select({5});
  SetMode(kBlockPaste);  // the painting mode plays no part in overlay mode
  const Grid16 tiles = view.MapTiles.Tiles();
  for (int16_t button : {1, 2, 4}) {
    SCOPED_TRACE(button);
    view.OverlayData.Set(2, 1, 0);
    view.MapChanged = 0;
    Choose(7);
    Press(button, 2, 1);
    EXPECT_EQ(view.OverlayData.At(2, 1), 7);
    EXPECT_EQ(view.MapChanged, 1);
    EXPECT_EQ(view.MapTiles.Tiles(), tiles);
    ASSERT_EQ(Tiles().size(), 1u);
    ExpectTileDrawn(Tiles()[0], 25, 2, 1);
    EXPECT_EQ(Surface().CallsOf(Kind::Circle).size(), 1u);
    ASSERT_EQ(Surface().CallsOf(Kind::Print).size(), 1u);
    EXPECT_EQ(Surface().CallsOf(Kind::Print)[0].text, "7");
  }
  EXPECT_EQ(tk.randomCount, 0);
}

TEST_F(OverlayPlacement, RemoveEntryClearsMarkerAndRedrawsTileOnly) {
  view.OverlayData.Set(2, 1, 3);
  Choose(0);
  Press(1, 2, 1);
  EXPECT_EQ(view.OverlayData.At(2, 1), 0);
  EXPECT_EQ(Tiles().size(), 1u);
  EXPECT_TRUE(Surface().CallsOf(Kind::Circle).empty());
  EXPECT_TRUE(Surface().CallsOf(Kind::Print).empty());
}

TEST_F(OverlayPlacement, NothingChosenOrBeyondMapDoesNothing) {
  MakeMap(5, 4);
  const Grid16 overlay = view.OverlayData;
  Choose(-1);
  Press(1, 1, 1);
  Choose(3);
  Press(1, 5, 1);                                 // beyond the map's last column
  Press(1, 1, 4);                                 // beyond the map's last row
  view.Display_MouseDown(1, 0, -240.0f, AtY(1));  // no map column left of 0
  EXPECT_EQ(view.OverlayData, overlay);
  EXPECT_EQ(view.MapChanged, 0);
  EXPECT_TRUE(Surface().calls.empty());
}

TEST_F(OverlayPlacement, StripBeyondLastWholeCellStillPlaces) {
  Choose(4);
  view.Display_MouseDown(1, 0, StripX(), AtY(1));
  EXPECT_EQ(view.OverlayData.At(6, 1), 4);
  ASSERT_EQ(Tiles().size(), 1u);
  ExpectTileDrawn(Tiles()[0], 0, 6, 1);
}

TEST_F(OverlayPlacement, TileBeyondCountStoresButDrawsNothing) {
  view.MapTiles.Set(3, 3, 270);
  Choose(2);
  Press(1, 3, 3);
  EXPECT_EQ(view.OverlayData.At(3, 3), 2);
  EXPECT_EQ(view.MapChanged, 1);
  EXPECT_TRUE(Surface().calls.empty());
}

TEST_F(OverlayPlacement, NoSnapshotAndUndoLeavesOverlay) {
  const Grid16 undo = view.MapTiles.UndoTiles();
  view.MapTiles.Set(0, 0, 9);  // an edit the overlay press must not fold into the snapshot
  Choose(5);
  Press(1, 1, 1);
  EXPECT_EQ(view.MapTiles.UndoTiles(), undo);
  view.CommandUndo_Click();
  EXPECT_EQ(view.MapTiles.Tiles(), undo);
  EXPECT_EQ(view.OverlayData.At(1, 1), 5);
}

TEST_F(OverlayPlacement, DragAndReleasePlaceNothingMore) {
  Select({5});
  SetMode(kDragFill);
  Choose(6);
  Press(1, 1, 1);
  Move(1, 2, 1);
  Release(1, 3, 3);
  SetMode(kNormalPainting);
  Move(1, 3, 1);
  Grid16 expected = *Grid16::TryCreate(10, 8);
  expected.Set(1, 1, 6);
  EXPECT_EQ(view.OverlayData, expected);
  EXPECT_EQ(view.MapTiles.At(2, 1), 25);
  EXPECT_EQ(view.MapTiles.At(3, 1), 0);
}

}  // namespace
}  // namespace korvane::tools_test
