#include <gtest/gtest.h>

#include "overlay/DatView.h"
#include "tests/shell/MapViewFixture.h"
#include "tiles/TileView.h"

namespace korvane::shelltest {
namespace {

using headless::H;
using toolkit::Place;

struct Frame {
  float left, top, width, height;
};

void ExpectFrame(toolkit::Window& w, Frame f) {
  EXPECT_NEAR(w.Left(), f.left, 0.01);
  EXPECT_NEAR(w.Top(), f.top, 0.01);
  EXPECT_NEAR(w.Width(), f.width, 0.01);
  EXPECT_NEAR(w.Height(), f.height, 0.01);
}

TEST_F(MapViewTest, StartsWithNoMapInTileMode) {
  MapView& v = view();
  EXPECT_EQ(v.StartupMapFile, "");
  EXPECT_EQ(v.CurrentMapFile, "");
  EXPECT_EQ(v.PaintMode->ListIndex(), kNormalPainting);
  EXPECT_EQ(v.PaintMode->List(0), "Normal Painting");
  EXPECT_EQ(v.GridOn, 0);
  EXPECT_EQ(v.MapZoomFactor, 1);
  EXPECT_EQ(editor->tileView().ZoomStatus, 1);
  EXPECT_EQ(v.MapChanged, 0);
  EXPECT_EQ(v.EditMode, 0);
  EXPECT_EQ(v.MapWidth, 0);
  EXPECT_EQ(v.MapHeight, 0);
  EXPECT_EQ(v.HumanResources, 0);
  EXPECT_EQ(v.ComputerResources, 0);
  EXPECT_EQ(tk.seedCount, 1);
  EXPECT_TRUE(editor->TileViewVisible());
  EXPECT_TRUE(editor->HasDatView());
  EXPECT_FALSE(editor->DatViewVisible());
  EXPECT_FALSE(editor->HasLoadTiles());
  EXPECT_TRUE(mainWindow().Visible());
}

TEST_F(MapViewTest, PlacesTheWindowsOnTheScreen) {
  ExpectFrame(*view().window, {240, 360, 6666.667f, 8100});
  ExpectFrame(*editor->tileView().window, {7058.824f, 360, 4800, 8100});
  EXPECT_NEAR(editor->datView().window->Left(), 7058.824f, 0.01);
  EXPECT_NEAR(editor->datView().window->Top(), 360, 0.01);
  // Showing the main window laid its controls out for its new client size.
  const Place display = view().Display->GetPlace();
  EXPECT_NEAR(display.width, 6546.667f - 255, 0.01);
  EXPECT_NEAR(display.height, 7680 - 630, 0.01);
}

TEST(MapViewStartup, KeepsTheCommandLineTextAndFitsAWideScreen) {
  headless::HeadlessToolkit tk;
  tk.executableFolder = FreshFolder();
  tk.screenWidth = 57600;
  tk.screenHeight = 32400;
  tk.commandLine = "\"C:\\my maps\\first.map\"  x";
  Editor editor(tk);
  editor.Start();
  EXPECT_EQ(editor.mapView().StartupMapFile, "\"C:\\my maps\\first.map\"  x");
  ExpectFrame(*editor.mapView().window, {1152, 1296, 32000, 29160});
  ExpectFrame(*editor.tileView().window, {33882.353f, 1296, 23040, 29160});
  EXPECT_EQ(editor.mapView().Display->GetPlace().width, 32000 - 120 - 255);
}

TEST_F(MapViewTest, LaysOutTheControlsForTheClientSize) {
  mainWindow().UserResizeClient(9000, 6000);
  const MapView& v = view();
  EXPECT_EQ(v.Display->GetPlace(), (Place{0, 375, 8745, 5370}));
  EXPECT_EQ(v.HScroll->GetPlace(), (Place{0, 5745, 8745, 255}));
  EXPECT_EQ(v.VScroll->GetPlace(), (Place{8745, 375, 255, 5370}));
  EXPECT_EQ(v.CommandUndo->GetPlace(), (Place{8745, 5745, 255, 255}));
  const toolkit::Control* strip[] = {v.Grid,         v.MapZoom,   v.TileZoom,
                                     v.FloodFillMap, v.PaintMode, v.MultipleTiles};
  const float heights[] = {375, 375, 375, 375, 315, 315};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(strip[i]->GetPlace(), (Place{1500.0f * i, 0, 1500, heights[i]})) << i;
}

TEST_F(MapViewTest, TooSmallClientKeepsTheControlsWhereTheyAre) {
  mainWindow().UserResizeClient(9000, 6000);
  const Place display = view().Display->GetPlace();
  const Place grid = view().Grid->GetPlace();
  for (auto [w, h] : {std::pair{255.0f, 5000.0f}, {5000.0f, 630.0f}, {100.0f, 100.0f}}) {
    mainWindow().UserResizeClient(w, h);
    EXPECT_EQ(view().Display->GetPlace(), display) << w << " x " << h;
    EXPECT_EQ(view().Grid->GetPlace(), grid) << w << " x " << h;
  }
  // Just above the limits the layout applies, leaving the display almost no room.
  mainWindow().UserResizeClient(255.5f, 630.5f);
  EXPECT_EQ(view().Display->GetPlace(), (Place{0, 375, 0.5f, 0.5f}));
}

TEST_F(MapViewTest, MinimisingHidesBothCompanionsAndRestoringShowsTheModesOne) {
  editor->datView().window->SetVisible(true);
  mainWindow().UserMinimize();
  EXPECT_FALSE(editor->TileViewVisible());
  EXPECT_FALSE(editor->DatViewVisible());
  mainWindow().UserRestore();
  EXPECT_TRUE(editor->TileViewVisible());
  EXPECT_FALSE(editor->DatViewVisible());

  view().EditMode = 1;
  mainWindow().UserMinimize();
  mainWindow().UserRestore();
  EXPECT_FALSE(editor->TileViewVisible());
  EXPECT_TRUE(editor->DatViewVisible());
}

TEST_F(MapViewTest, MinimisingDoesNotRecreateAClosedPalette) {
  editor->UnloadTileView();
  mainWindow().UserMinimize();
  EXPECT_FALSE(editor->HasTileView());
  mainWindow().UserRestore();
  EXPECT_TRUE(editor->TileViewVisible());
}

TEST_F(MapViewTest, ResizeRedrawsOnlyWhenTheWholeCellCountChanges) {
  SizeDisplay(4000, 3000);
  const int unpainted = display().paintCount;
  SizeDisplay(4500, 3500);  // no map yet: nothing to redraw
  EXPECT_EQ(display().paintCount, unpainted);

  ShowMap(40, 30, 4000, 3000);
  ASSERT_EQ(view().ViewCols, 16);
  int paints = display().paintCount;
  SizeDisplay(4050, 3100);  // still 16 x 12 whole cells
  EXPECT_EQ(display().paintCount, paints);
  SizeDisplay(4240, 3100);  // 17 columns now
  EXPECT_GT(display().paintCount, paints);
  EXPECT_EQ(view().ViewCols, 17);
  paints = display().paintCount;
  SizeDisplay(4240, 3280);  // 13 rows
  EXPECT_GT(display().paintCount, paints);
  EXPECT_EQ(view().ViewRows, 13);
}

}  // namespace
}  // namespace korvane::shelltest
