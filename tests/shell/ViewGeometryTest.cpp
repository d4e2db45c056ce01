#include "tests/support/EditorFixture.h"

namespace korvane::testing_support {
namespace {

using ViewGeometry = EditorTest;

// A square display and a square map, so that columns and rows must come out alike. A display
// too small for one whole cell still counts one, so the page count can be formed.
TEST_F(ViewGeometry, CountsWholeCellsAndPages) {
  struct Row {
    float display;
    int16_t zoom, grid, mapSize, cells, pages;
  };
  for (const Row& row : {Row{4000, 1, 0, 40, 16, 3},     // the third page shows columns 32 to 39
                         Row{4000, 1, 0, 32, 16, 2},     // an exact multiple of the page
                         Row{4000, 1, 0, 33, 16, 3},     // one more column: one more page
                         Row{4000, 1, 0, 16, 16, 1},     // one page: the bar is unavailable
                         Row{4000, 1, 1, 40, 15, 3},     // pitch 255
                         Row{4000, 2, 1, 40, 8, 5},      // pitch 495, tile 480
                         Row{4079.5f, 1, 0, 40, 17, 3},  // 3839.5 rounds to 3840, not down
                         Row{4000.5f, 1, 0, 40, 16, 3},  // 3760.5 rounds to the even 3760
                         Row{200, 1, 0, 40, 1, 40},      // narrower than one tile
                         Row{0.4f, 1, 0, 40, 1, 40}}) {  // almost no room at all
    SCOPED_TRACE(testing::Message() << row.display << " twips, map " << row.mapSize);
    view().MapZoomFactor = row.zoom;
    view().GridOn = row.grid;
    ShowMap(row.mapSize, row.mapSize, row.display, row.display);
    for (toolkit::ScrollBar* bar : {view().HScroll, view().VScroll}) {
      EXPECT_EQ(bar->Min(), 1);
      EXPECT_EQ(bar->Max(), row.pages);
      EXPECT_EQ(bar->Enabled(), row.pages > 1);
    }
    EXPECT_EQ(view().ViewCols, row.cells);
    EXPECT_EQ(view().ViewRows, row.cells);
    headless::H(*view().HScroll).UserSetValue(row.pages);
    EXPECT_EQ(view().ViewFirstCol, (row.pages - 1) * row.cells);
    EXPECT_EQ(view().ViewFirstRow, 0);
    headless::H(*view().HScroll).UserSetValue(1);
  }
}

TEST_F(ViewGeometry, GridAndZoomReturnToTheFirstStateOnTheSecondPress) {
  ShowMap(40, 30);
  struct Toggle {
    toolkit::Button* button;
    int16_t* value;
    int16_t pressed, colsPressed;
  };
  for (const Toggle& t : {Toggle{view().Grid, &view().GridOn, 1, 15},
                          Toggle{view().MapZoom, &view().MapZoomFactor, 2, 8}}) {
    const int16_t first = *t.value;
    int paints = display().paintCount;
    t.button->onClick();
    EXPECT_EQ(*t.value, t.pressed);
    EXPECT_EQ(view().ViewCols, t.colsPressed);
    EXPECT_GT(display().paintCount, paints);
    paints = display().paintCount;
    t.button->onClick();
    EXPECT_EQ(*t.value, first);
    EXPECT_EQ(view().ViewCols, 16);
    EXPECT_GT(display().paintCount, paints);
  }
}

TEST_F(ViewGeometry, ResizeRedrawsOnlyWhenTheWholeCellCountChanges) {
  ShowMap(40, 30);
  ASSERT_EQ(view().ViewCols, 16);
  int paints = display().paintCount;
  SizeDisplay(4050, 3100);  // still 16 x 12 whole cells
  EXPECT_EQ(display().paintCount, paints);
  SizeDisplay(4240, 3100);  // 17 columns
  EXPECT_GT(display().paintCount, paints);
  EXPECT_EQ(view().ViewCols, 17);
  paints = display().paintCount;
  SizeDisplay(4240, 3280);  // 13 rows
  EXPECT_GT(display().paintCount, paints);
  EXPECT_EQ(view().ViewRows, 13);
}

}  // namespace
}  // namespace korvane::testing_support
