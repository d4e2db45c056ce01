#include <array>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"

namespace korvane::testing_support {
namespace {

using toolkit::Place;
using MapWindow = EditorTest;

TEST_F(MapWindow, StartsWithNoMapInTileMode) {
  const MapView& v = view();
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
  EXPECT_EQ(v.HumanResources, 0);
  EXPECT_EQ(v.ComputerResources, 0);
  EXPECT_EQ(tk.seedCount, 1);
  EXPECT_TRUE(mainWindow().Visible());
  EXPECT_TRUE(editor->TileViewVisible());
  EXPECT_FALSE(editor->DatViewVisible());
  EXPECT_FALSE(editor->HasLoadTiles());
}

void ExpectFrame(const toolkit::Window& w, std::array<float, 4> frame) {
  const float got[] = {w.Left(), w.Top(), w.Width(), w.Height()};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], frame[i], 0.01) << "edge " << i;
}

// The windows take fractions of the screen, also on a 4K screen, far past the sample's twips.
TEST(MapWindowStartup, PlacesTheWindowsAndKeepsTheCommandLineText) {
  struct Screen {
    float width, height;
    std::array<float, 4> main, palette;
  };
  for (const Screen& s :
       {Screen{12000, 9000, {240, 360, 6666.667f, 8100}, {7058.824f, 360, 4800, 8100}},
        Screen{57600, 32400, {1152, 1296, 32000, 29160}, {33882.353f, 1296, 23040, 29160}}}) {
    SCOPED_TRACE(s.width);
    headless::HeadlessToolkit tk;
    tk.executableFolder = FreshFolder();
    tk.screenWidth = s.width;
    tk.screenHeight = s.height;
    tk.commandLine = "\"C:\\my maps\\first.map\"  x";
    Editor editor(tk);
    editor.Start();
    EXPECT_EQ(editor.mapView().StartupMapFile, tk.commandLine);  // not split, quotes kept
    ExpectFrame(*editor.mapView().window, s.main);
    ExpectFrame(*editor.tileView().window, s.palette);
    EXPECT_NEAR(editor.datView().window->Left(), s.palette[0], 0.01);
    EXPECT_NEAR(editor.datView().window->Top(), s.palette[1], 0.01);
    // Showing the main window laid it out for its client area.
    const toolkit::Window& main = *editor.mapView().window;
    EXPECT_EQ(editor.mapView().Display->GetPlace(),
              (Place{0, 375, main.ScaleWidth() - 255, main.ScaleHeight() - 630}));
  }
}

TEST_F(MapWindow, LaysOutTheControlsUnlessTheClientIsTooSmall) {
  mainWindow().UserResizeClient(9000, 6000);
  const MapView& v = view();
  const Place display{0, 375, 8745, 5370};
  EXPECT_EQ(v.Display->GetPlace(), display);
  EXPECT_EQ(v.HScroll->GetPlace(), (Place{0, 5745, 8745, 255}));
  EXPECT_EQ(v.VScroll->GetPlace(), (Place{8745, 375, 255, 5370}));
  EXPECT_EQ(v.CommandUndo->GetPlace(), (Place{8745, 5745, 255, 255}));
  const toolkit::Control* strip[] = {v.Grid,         v.MapZoom,   v.TileZoom,
                                     v.FloodFillMap, v.PaintMode, v.MultipleTiles};
  const float heights[] = {375, 375, 375, 375, 315, 315};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(strip[i]->GetPlace(), (Place{1500.0f * i, 0, 1500, heights[i]})) << i;
  for (auto [w, h] : {std::pair{255.0f, 5000.0f}, {5000.0f, 630.0f}}) {
    mainWindow().UserResizeClient(w, h);
    EXPECT_EQ(v.Display->GetPlace(), display) << w << " x " << h;
    EXPECT_EQ(v.MultipleTiles->GetPlace(), (Place{7500, 0, 1500, 315})) << w << " x " << h;
  }
  mainWindow().UserResizeClient(255.5f, 630.5f);  // just above the limits
  EXPECT_EQ(v.Display->GetPlace(), (Place{0, 375, 0.5f, 0.5f}));
}

TEST_F(MapWindow, MinimisingHidesBothCompanionsAndRestoringShowsTheModesOne) {
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

}  // namespace
}  // namespace korvane::testing_support
