#include <array>
#include <cmath>
#include <fstream>
#include <tuple>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"
#include "tiles/LoadTiles.h"
#include "tiles/TileView.h"

namespace korvane::testing_support {
namespace {

using headless::H;
using toolkit::Place;
using MapWindow = EditorTest;

// The state the editor starts in, on the screen of the worked example and on a 4K screen, far
// past the sample's twips: the palette is shown by the main window's load, before the main window
// itself; the catalogue is read and placed but hidden; there is no map, no sheet and no selection.
// The command line is kept as typed, to be loaded by the first paint.
TEST(MapWindowStartup, StartsInTileModeWithTheWindowsPlacedAndNothingLoaded) {
  // clang-format off
  for (auto [width, height, frames] : {
           std::tuple{12000, 9000, std::vector<long>{240, 360, 6667, 8100, 7059, 360, 4800, 8100,
                                                     7059, 360}},
           {57600, 32400, {1152, 1296, 32000, 29160, 33882, 1296, 23040, 29160, 33882, 1296}}}) {
    // clang-format on
    headless::HeadlessToolkit tk;
    tk.executableFolder = FreshFolder();
    std::ofstream(tk.executableFolder + "/Overlay.dat") << "1\r\n\"1: Tree\"\r\n259\r\n";
    tk.screenWidth = width;
    tk.screenHeight = height;
    tk.commandLine = "\"C:\\my maps\\first.map\"  x";
    Editor editor(tk);
    const MapView& v = editor.mapView();
    EXPECT_EQ(std::pair(v.window->Visible(), editor.TileViewVisible()), std::pair(false, true));
    editor.Start();
    const DatView& dat = editor.datView();
    std::vector<long> got;
    for (const toolkit::Window* w : {v.window.get(), editor.tileView().window.get()})
      for (float edge : {w->Left(), w->Top(), w->Width(), w->Height()})
        got.push_back(std::lround(edge));
    got.insert(got.end(), {std::lround(dat.window->Left()), std::lround(dat.window->Top())});
    EXPECT_EQ(got, frames);
    EXPECT_EQ(
        std::tuple(v.window->Caption(), editor.tileView().window->Caption(), dat.window->Caption(),
                   v.window->Visible(), editor.DatViewVisible(), editor.HasLoadTiles(),
                   dat.Items->ListCount(), dat.Items->List(1), dat.Items->ListIndex()),
        std::tuple("Korvane", "Tile View", "Data Overlay", true, false, false, 2, "1: Tree", 0));
    const MapGlobal& g = editor.Global();
    EXPECT_EQ(
        (std::array{g.TileSize, g.SelectedCount, v.Map.MapWidth, v.Map.MapHeight, v.Map.MapChanged,
                    v.EditMode, v.GridOn, v.MapZoomFactor, editor.tileView().ZoomStatus,
                    v.PaintMode->ListIndex(), v.MultipleTiles->Value()}),
        (std::array<int16_t, 11>{0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(std::tuple(v.Map.HumanResources, v.Map.ComputerResources, v.Map.CurrentMapFile,
                         tk.seedCount, v.StartupMapFile),
              std::tuple(0, 0, "", 1, tk.commandLine));
  }
}

// The layout follows the client area, unless that is too small. Minimising hides the palette;
// unloading hides each companion window.
TEST_F(MapWindow, LaysOutTheControlsUnlessTheClientIsTooSmall) {
  const MapView& v = view();
  for (auto [w, h] : {std::pair{9000.0f, 6000.0f}, {255.0f, 5000.0f}, {5000.0f, 630.0f}}) {
    mainWindow().UserResizeClient(w, h);
    // clang-format off
    EXPECT_EQ((std::array{v.Display->GetPlace(), v.HScroll->GetPlace(), v.VScroll->GetPlace(),
                          v.CommandUndo->GetPlace(), v.MultipleTiles->GetPlace()}),
              (std::array<Place, 5>{{{0, 375, 8745, 5370}, {0, 5745, 8745, 255},
                  {8745, 375, 255, 5370}, {8745, 5745, 255, 255}, {7500, 0, 1500, 315}}}));
    // clang-format on
  }
  mainWindow().UserResizeClient(255.5f, 630.5f);  // just above the limits
  EXPECT_EQ(v.Display->GetPlace(), (Place{0, 375, 0.5f, 0.5f}));
  mainWindow().UserMinimize();
  EXPECT_FALSE(editor->TileViewVisible());
  // An unloaded companion is hidden at once and destroyed at its next use.
  const std::array<toolkit::Window*, 3> shown{editor->tileView().window.get(),
                                              editor->loadTiles().window.get(),
                                              editor->datView().window.get()};
  for (toolkit::Window* w : shown) w->SetVisible(true);
  editor->DiscardTileView();
  editor->DiscardLoadTiles();
  ASSERT_TRUE(editor->UnloadDatView());
  for (toolkit::Window* w : shown) EXPECT_FALSE(w->Visible());
}

// A square display and a square map, so that columns and rows must come out alike. The rows:
// three pages (the third shows columns 32 to 39); an exact multiple of the page; one column
// more, one page more; one page (the bar is unavailable); the grid (pitch 255); zoom 2 as well
// (pitch 495, tile 480); both off again with their buttons; 3760.5 twips of room round to the
// even 3760; a display narrower than one tile, or almost without room, still counts one cell, so
// the page count can be formed.
TEST_F(MapWindow, CountsWholeCellsAndPages) {
  // clang-format off
  struct Row { float display; int16_t zoom, grid, mapSize, cells, pages; };
  for (const Row& row : {Row{4000, 1, 0, 40, 16, 3}, Row{4000, 1, 0, 32, 16, 2},
                         Row{4000, 1, 0, 33, 16, 3}, Row{4000, 1, 0, 16, 16, 1},
                         Row{4000, 1, 1, 40, 15, 3}, Row{4000, 2, 1, 40, 8, 5},
                         Row{4000, 1, 0, 40, 16, 3}, Row{4000.5f, 1, 0, 40, 16, 3},
                         Row{200, 1, 0, 40, 1, 40}, Row{0.4f, 1, 0, 40, 1, 40}}) {
    // clang-format on
    ShowMap(row.mapSize, row.mapSize, row.display, row.display);
    if (view().GridOn != row.grid) H(*view().Grid).Click();
    if (view().MapZoomFactor != row.zoom) H(*view().MapZoom).Click();
    H(*view().HScroll).UserSetValue(row.pages);
    for (toolkit::ScrollBar* bar : {view().HScroll, view().VScroll})
      EXPECT_EQ(std::tuple(bar->Min(), bar->Max(), bar->Enabled()),
                std::tuple(1, row.pages, row.pages > 1));
    EXPECT_EQ(
        (std::array{view().ViewCols, view().ViewRows, view().ViewFirstCol, view().ViewFirstRow}),
        (std::array<int16_t, 4>{row.cells, row.cells, int16_t((row.pages - 1) * row.cells), 0}))
        << row.display << " twips, map " << row.mapSize;
  }
}

// 240-twip cells: 16 columns fit up to 4079.4 twips of room (rounded to 4079), 17 from 4079.5
// (rounded to the even 4080); 12 rows up to 3119, 13 from 3120. Each row resizes from the last.
TEST_F(MapWindow, ResizeRedrawsOnlyWhenTheWholeCellCountChanges) {
  ShowMap(40, 30);
  // clang-format off
  struct Row { float w, h; int16_t cols, rows; bool paints; };
  for (const Row& row : {Row{4079.4f, 3000, 16, 12, false}, Row{4079.5f, 3000, 17, 12, true},
                         Row{4000, 3000, 16, 12, true}, Row{4000, 3119, 16, 12, false},
                         Row{4000, 3120, 16, 13, true}, Row{4000, 3000, 16, 12, true}}) {
    // clang-format on
    const int paints = display().paintCount;
    SizeDisplay(row.w, row.h);
    EXPECT_EQ(std::tuple(display().paintCount - paints, view().ViewCols, view().ViewRows),
              std::tuple(row.paints ? 1 : 0, row.cols, row.rows))
        << row.w << " x " << row.h;
  }
}

}  // namespace
}  // namespace korvane::testing_support
