#include <array>
#include <cmath>
#include <tuple>

#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"
#include "tools/ToolCells.h"

namespace korvane::testing_support {
namespace {

using headless::H;
using toolkit::Place;
using MapWindow = EditorTest;

// The windows take fractions of the screen, also on a 4K screen, far past the sample's twips.
// The command line is kept as typed, to be loaded by the first paint.
TEST(MapWindowStartup, PlacesTheWindowsAndKeepsTheCommandLineText) {
  // clang-format off
  for (auto [width, height, frames] : {
           std::tuple{12000, 9000, std::vector<long>{240, 360, 6667, 8100, 7059, 360, 4800, 8100}},
           {57600, 32400, {1152, 1296, 32000, 29160, 33882, 1296, 23040, 29160}}}) {
    // clang-format on
    headless::HeadlessToolkit tk;
    tk.executableFolder = FreshFolder();
    tk.screenWidth = width;
    tk.screenHeight = height;
    tk.commandLine = "\"C:\\my maps\\first.map\"  x";
    Editor editor(tk);
    editor.Start();
    std::vector<long> got;
    for (const toolkit::Window* w : {editor.mapView().window.get(), editor.tileView().window.get()})
      for (float edge : {w->Left(), w->Top(), w->Width(), w->Height()})
        got.push_back(std::lround(edge));
    EXPECT_EQ(got, frames);
    EXPECT_EQ(editor.mapView().StartupMapFile, tk.commandLine);
  }
}

// The layout follows the client area, unless that is too small. Minimising hides the palette.
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
}

// A square display and a square map, so that columns and rows must come out alike. The rows:
// three pages (the third shows columns 32 to 39); an exact multiple of the page; one column
// more, one page more; one page (the bar is unavailable); the grid (pitch 255); zoom 2 as well
// (pitch 495, tile 480); both off again with their buttons; 3839.5 twips of room round to 3840,
// 3760.5 to the even 3760; a display narrower than one tile, or almost without room, still
// counts one cell, so the page count can be formed.
TEST_F(MapWindow, CountsWholeCellsAndPages) {
  // clang-format off
  struct Row { float display; int16_t zoom, grid, mapSize, cells, pages; };
  for (const Row& row : {Row{4000, 1, 0, 40, 16, 3}, Row{4000, 1, 0, 32, 16, 2},
                         Row{4000, 1, 0, 33, 16, 3}, Row{4000, 1, 0, 16, 16, 1},
                         Row{4000, 1, 1, 40, 15, 3}, Row{4000, 2, 1, 40, 8, 5},
                         Row{4000, 1, 0, 40, 16, 3}, Row{4079.5f, 1, 0, 40, 17, 3},
                         Row{4000.5f, 1, 0, 40, 16, 3}, Row{200, 1, 0, 40, 1, 40},
                         Row{0.4f, 1, 0, 40, 1, 40}}) {
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

TEST_F(MapWindow, ResizeRedrawsOnlyWhenTheWholeCellCountChanges) {
  ShowMap(40, 30);
  const int paints = display().paintCount;
  SizeDisplay(4050, 3100);  // still 16 x 12 whole cells
  EXPECT_EQ(display().paintCount, paints);
  SizeDisplay(4050, 3280);  // 13 rows
  EXPECT_EQ(display().paintCount, paints + 1);
  EXPECT_EQ(view().ViewRows, 13);
}

// Pitch 495 (zoom 2 and the grid), 8 x 6 whole cells, the view on page 6 across and 2 down.
// The pointer is rounded to whole twips, halves to even, and divided truncating toward zero.
TEST_F(MapWindow, FindsTheCellUnderThePointer) {
  view().MapZoomFactor = 2;
  view().GridOn = 1;
  ShowMap(100, 30);
  H(*view().HScroll).UserSetValue(6);
  H(*view().VScroll).UserSetValue(2);
  // The last rows: the last whole cell, one past it, less than a cell before (cell 0), and more.
  // clang-format off
  struct Row { float x, y; int32_t c, r; bool onWholeCell; };
  for (const Row& row : {Row{0, 0, 0, 0, true}, Row{494.4f, 494.5f, 0, 0, true},
                         Row{495, 989.5f, 1, 2, true}, Row{1000.4f, 0, 2, 0, true},
                         Row{3959, 2969, 7, 5, true}, Row{3960, 2970, 8, 6, false},
                         Row{-1, -494, 0, 0, true}, Row{-495.5f, -990, -1, -2, true}}) {
    // clang-format on
    const PointedCell cell = CellAt(view(), global(), row.x, row.y);
    EXPECT_EQ(std::tuple(cell.c, cell.r, cell.x, cell.y, OnWholeCell(view(), cell)),
              std::tuple(row.c, row.r, row.c + 40l, row.r + 6l, row.onWholeCell))
        << row.x << ", " << row.y;
  }
}

}  // namespace
}  // namespace korvane::testing_support
