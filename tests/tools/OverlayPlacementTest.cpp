#include "tests/tools/ToolsFixture.h"

namespace korvane::tools_test {
namespace {

using OverlayPlacement = ToolsTest;

// Overlay mode with "Remove" and seven more catalogue entries, on a 7 x 4 map: the view's six
// whole columns and its strip lie on the map, its last row and the columns past it do not.
TEST_F(OverlayPlacement, PlacesTheChosenEntryWithAnyButtonOnTheMapOnly) {
  DatView& dat = editor->datView();
  for (int i = 1; i <= 7; ++i) dat.Items->AddItem("Object " + std::to_string(i));
  dat.window->SetVisible(true);
  MakeMap(7, 4);
  v.MapTiles.Set(2, 1, 25);
  Select({5});
  SetMode(kBlockPaste);  // the painting mode plays no part in overlay mode
  struct Case {
    const char* name;
    int16_t button, entry;
    float x, y;
    int cx, cy;  // the map cell and screen cell under the pointer
    bool placed;
  };
  const float x = AtX(2), y = AtY(1);
  for (const Case& k :
       {Case{"left button", 1, 7, x, y, 2, 1, true}, Case{"right button", 2, 7, x, y, 2, 1, true},
        Case{"middle button", 4, 7, x, y, 2, 1, true},
        Case{"Remove clears the marker", 1, 0, x, y, 2, 1, true},
        Case{"nothing chosen", 1, -1, x, y, 2, 1, false},
        Case{"beyond the map's last column", 1, 3, AtX(7), y, 7, 1, false},
        Case{"beyond the map's last row", 1, 3, x, AtY(4), 2, 4, false},
        Case{"a cell left of column 0", 1, 3, -240.0f, y, -1, 1, false},
        Case{"the strip beyond the view", 1, 4, StripX(), y, 6, 1, true}}) {
    SCOPED_TRACE(k.name);
    if (k.placed) v.OverlayData.Set(k.cx, k.cy, 3);
    Grid16 overlay = v.OverlayData;
    EditSinceSnapshot();
    const Grid16 tiles = v.MapTiles.Tiles();
    const Grid16 undo = v.MapTiles.UndoTiles();
    v.MapChanged = 0;
    dat.Items->SetListIndex(k.entry);
    ClearLogs();
    v.Display_MouseDown(k.button, 0, k.x, k.y);
    if (k.placed) overlay.Set(k.cx, k.cy, k.entry);
    EXPECT_EQ(v.OverlayData, overlay);
    EXPECT_EQ(v.MapChanged, k.placed ? 1 : 0);
    EXPECT_EQ(v.MapTiles.Tiles(), tiles);
    EXPECT_EQ(v.MapTiles.UndoTiles(), undo);  // no snapshot in overlay mode
    EXPECT_EQ(Drawn(), k.placed ? Calls{TileCall(tiles.At(k.cx, k.cy), k.cx, k.cy)} : Calls{});
    const auto prints = display().CallsOf(Kind::Print);
    const bool marked = k.placed && k.entry > 0;
    EXPECT_EQ(display().CallsOf(Kind::Circle).size(), marked ? 1u : 0u);
    ASSERT_EQ(prints.size(), marked ? 1u : 0u);
    if (marked) {
      EXPECT_EQ(prints[0].text, std::to_string(k.entry));
    }
    EXPECT_EQ(tk.randomCount, 0);
  }
  // Undo brings back the last tile-mode snapshot and leaves the overlay as it is.
  const Grid16 overlay = v.OverlayData;
  const Grid16 undo = v.MapTiles.UndoTiles();
  v.CommandUndo_Click();
  EXPECT_EQ(v.MapTiles.Tiles(), undo);
  EXPECT_EQ(v.OverlayData, overlay);
}

}  // namespace
}  // namespace korvane::tools_test
