#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/MapFile.h"
#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/overlay/OverlayTestFolder.h"
#include "tests/support/HeadlessToolkit.h"
#include "tiles/TileView.h"

namespace korvane {
namespace {

using headless::H;
using overlaytest::WriteText;

class ModeSwitch : public testing::Test {
 protected:
  ModeSwitch() {
    tk.executableFolder = overlaytest::FreshFolder();
    WriteText(tk.executableFolder + "/Overlay.dat", "1\r\n\"1: Tree\"\r\n259\r\n");
    editor.Start();
  }

  MapView& view() { return editor.mapView(); }
  headless::HeadlessSurface& display() { return H(*view().Display); }
  void Switch() { view().MENU_DATA_VIEW_Click(); }

  void ExpectTileMode() {
    EXPECT_TRUE(editor.TileViewVisible());
    EXPECT_FALSE(editor.DatViewVisible());
    EXPECT_EQ(view().EditMode, 0);
  }
  void ExpectOverlayMode() {
    EXPECT_FALSE(editor.TileViewVisible());
    EXPECT_TRUE(editor.DatViewVisible());
    EXPECT_EQ(view().EditMode, 1);
  }

  // A 3 x 2 map on a 16-pixel sheet with objects in two cells.
  void SetUpMap() {
    MapGlobal& g = editor.Global();
    g.TileSheet = std::make_shared<headless::HeadlessPicture>(64, 64);
    g.TileSize = 16;
    g.TileCount = 16;
    g.PixelTwipsX = g.PixelTwipsY = 15;
    g.TileTwipsX = g.TileTwipsY = 240;
    MapView& v = view();
    v.MapWidth = 3;
    v.MapHeight = 2;
    v.MapTiles = TileLayer(*Grid16::TryCreate(3, 2));
    v.OverlayData = *Grid16::TryCreate(3, 2);
    v.OverlayData.Set(0, 0, 1);
    v.OverlayData.Set(2, 1, 4);
    // The first drawing of a map settles the scroll bars, which asks for more drawings.
    v.Display->Refresh();
  }

  headless::HeadlessToolkit tk;
  Editor editor{tk};
};

TEST_F(ModeSwitch, TwoSwitchesReturnToTheStart) {
  ExpectTileMode();
  Switch();
  ExpectOverlayMode();
  EXPECT_EQ(editor.datView().Items->List(1), "1: Tree");
  Switch();
  ExpectTileMode();
}

TEST_F(ModeSwitch, ClosedPaletteSwitchesBackToTileMode) {
  H(*editor.tileView().window).UserClose();
  ASSERT_FALSE(editor.TileViewVisible());
  Switch();
  ExpectTileMode();
}

TEST_F(ModeSwitch, EverySwitchRepaintsTheMapWithOrWithoutMarkers) {
  SetUpMap();
  const int before = display().paintCount;
  display().ClearLog();
  Switch();
  EXPECT_EQ(display().paintCount, before + 1);
  EXPECT_EQ(display().CallsOf(headless::DrawCall::Kind::Circle).size(), 2u);
  display().ClearLog();
  Switch();
  EXPECT_EQ(display().paintCount, before + 2);
  EXPECT_TRUE(display().CallsOf(headless::DrawCall::Kind::Circle).empty());
}

TEST_F(ModeSwitch, MinimiseAndRestoreKeepTheMode) {
  Switch();
  H(*view().window).UserMinimize();
  EXPECT_FALSE(editor.TileViewVisible());
  EXPECT_FALSE(editor.DatViewVisible());
  EXPECT_EQ(view().EditMode, 1);
  H(*view().window).UserRestore();
  ExpectOverlayMode();
}

TEST_F(ModeSwitch, ClosedCatalogueIsReadAgainOnTheNextSwitch) {
  Switch();
  ASSERT_TRUE(H(*editor.datView().window).UserClose());
  EXPECT_FALSE(editor.HasDatView());
  // Switching back does not load the closed catalogue only to hide it.
  Switch();
  ExpectTileMode();
  EXPECT_FALSE(editor.HasDatView());

  WriteText(tk.executableFolder + "/Overlay.dat", "1\r\n\"1: Rock\"\r\n129\r\n");
  Switch();
  ExpectOverlayMode();
  EXPECT_EQ(editor.datView().Items->List(1), "1: Rock");
}

TEST_F(ModeSwitch, LoadingAMapReturnsToTileMode) {
  SetUpMap();
  const std::string path = tk.executableFolder + "/small.map";
  const auto bytes = SerializeMapFile(0, 0, view().MapTiles.Tiles(), view().OverlayData);
  ASSERT_TRUE(bytes);
  WriteText(path, std::string(bytes->begin(), bytes->end()));
  Switch();
  view().LoadMap(path);
  ExpectTileMode();
  H(*view().window).UserMinimize();
  H(*view().window).UserRestore();
  ExpectTileMode();
}

}  // namespace
}  // namespace korvane
