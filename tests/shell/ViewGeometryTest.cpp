#include <gtest/gtest.h>

#include "tests/shell/MapViewFixture.h"

namespace korvane::shelltest {
namespace {

struct PagingRow {
  float displayWidth;
  int16_t zoom;
  int16_t grid;
  int16_t mapWidth;
  int16_t viewCols;
  int16_t pages;
};

class ViewPaging : public MapViewTest, public testing::WithParamInterface<PagingRow> {};

TEST_P(ViewPaging, CountsWholeCellsAndPages) {
  const PagingRow row = GetParam();
  ApplyTestSheet(editor->Global());
  MakeTestMap(view(), row.mapWidth, 30);
  view().MapZoomFactor = row.zoom;
  view().GridOn = row.grid;
  SizeDisplay(row.displayWidth, 3000);
  display().Refresh();
  EXPECT_EQ(view().ViewCols, row.viewCols);
  EXPECT_EQ(hscroll().Min(), 1);
  EXPECT_EQ(hscroll().Max(), row.pages);
  EXPECT_EQ(hscroll().Enabled(), row.pages > 1);
  EXPECT_EQ(view().ViewFirstCol, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewPaging,
    testing::Values(PagingRow{4000, 1, 0, 40, 16, 3},     // the third page shows columns 32 to 39
                    PagingRow{4000, 1, 0, 32, 16, 2},     // an exact multiple of the page
                    PagingRow{4000, 1, 0, 33, 16, 3},     // one column more: one page more
                    PagingRow{4000, 1, 0, 16, 16, 1},     // one page: the bar is unavailable
                    PagingRow{4000, 1, 0, 3, 16, 1},      // narrower than the display
                    PagingRow{4000, 1, 1, 40, 15, 3},     // pitch 255
                    PagingRow{4000, 2, 1, 40, 8, 5},      // pitch 495, tile 480
                    PagingRow{4079.5f, 1, 0, 40, 17, 3},  // 3839.5 rounds to 3840, not down
                    PagingRow{4000.5f, 1, 0, 40, 16, 3},  // 3760.5 rounds to the even 3760
                    PagingRow{200, 1, 0, 40, 1, 40},      // narrower than one tile
                    PagingRow{0.4f, 1, 0, 40, 1, 40}));   // almost no width at all

TEST_F(MapViewTest, ADisplayWithoutRoomStillHasOneCellAndPages) {
  ShowMap(40, 30);
  // A client just taller than the layout limit leaves the display 0.4 twips high, which would
  // count no whole row at all.
  mainWindow().UserResizeClient(4255, 630.4f);
  display().Refresh();
  EXPECT_EQ(view().ViewRows, 1);
  EXPECT_EQ(vscroll().Max(), 30);
  EXPECT_EQ(view().CellsAcross(0), 1);
  EXPECT_EQ(view().CellsDown(-5000), 1);
  editor->Global().TileTwipsX = 0;  // a pitch of nothing never divides
  EXPECT_EQ(view().CellsAcross(4000), 1);
}

TEST_F(MapViewTest, ScrollValueIsThePageShown) {
  ShowMap(40, 30, 4000, 3000);
  const int paints = display().paintCount;
  hscroll().UserSetValue(3);  // a thumb drag: Scroll, then Change, each redraws
  EXPECT_EQ(display().paintCount, paints + 2);
  EXPECT_EQ(view().ViewFirstCol, 32);
  // Rows page the same way: 12 whole rows, 30 map rows, 3 pages.
  EXPECT_EQ(view().ViewRows, 12);
  EXPECT_EQ(vscroll().Max(), 3);
  EXPECT_TRUE(vscroll().Enabled());
  vscroll().UserSetValue(2);
  EXPECT_EQ(view().ViewFirstRow, 12);

  // Zooming keeps the page number, not the map position.
  view().MapZoom->onClick();
  EXPECT_EQ(view().ViewCols, 8);
  EXPECT_EQ(view().ViewFirstCol, 16);
}

TEST_F(MapViewTest, GridAndZoomTogglesReturnOnTheSecondPress) {
  ShowMap(40, 30, 4000, 3000);
  struct Toggle {
    toolkit::Button* button;
    int16_t* value;
    int16_t pressed;
    int16_t colsPressed;
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

}  // namespace
}  // namespace korvane::shelltest
