#include <array>

#include "overview/Overview.h"
#include "overview/OverviewScale.h"
#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

using headless::H;
using Kind = headless::DrawCall::Kind;
using toolkit::Color;
using toolkit::Rgb;

// ---- The scale ----

struct FitCase {
  int32_t mapW, mapH, winW, winH;
  int32_t width, height, cellPixels;
};

// The bounds: whole pixels while the map fits (8 at most), sampling from one cell more than the
// window; the longer side (relative to the window) fills it.
TEST(OverviewScale, FitsTheWholeMapKeepingItsProportions) {
  const FitCase cases[] = {
      {31, 31, 256, 256, 248, 248, 8},    // 8 a cell still
      {32, 32, 256, 256, 256, 256, 8},    // the window's size at the cap
      {33, 33, 256, 256, 231, 231, 7},    // one cell more: 7
      {100, 40, 256, 256, 200, 80, 2},    // the wider side decides
      {256, 256, 256, 256, 256, 256, 1},  // the last map that fits
      {257, 256, 256, 256, 256, 255, 0},  // the first that does not: sampled
      {10, 300, 256, 256, 8, 256, 0},     // tall
      {300, 10, 256, 256, 256, 8, 0},     // wide
      {32767, 1, 256, 256, 256, 1, 0},    // a row never thinner than a pixel
      {1, 32767, 256, 256, 1, 256, 0},   {40, 30, 0, 256, 0, 0, 0},  // no window
      {0, 0, 256, 256, 0, 0, 0},                                     // no map
  };
  for (const FitCase& c : cases) {
    const OverviewScale s = FitOverview(c.mapW, c.mapH, c.winW, c.winH);
    EXPECT_EQ((std::array{s.width, s.height, s.cellPixels}),
              (std::array{c.width, c.height, c.cellPixels}))
        << c.mapW << " x " << c.mapH << " in " << c.winW << " x " << c.winH;
  }
}

// Every pixel shows the cell under its centre, and a cell's pixels are exactly those.
TEST(OverviewScale, CellsAndTheirPixelsAgree) {
  for (const auto& [cells, window] : std::vector<std::pair<int, int>>{
           {5, 256}, {256, 256}, {257, 256}, {1000, 256}, {32767, 300}, {7, 3}}) {
    const OverviewScale s = FitOverview(cells, 1, window, 1000);
    for (int32_t px = 0; px < s.width; ++px) {
      const int32_t cell = s.ColumnCell(px);
      EXPECT_LE(s.FirstColumn(cell), px);
      EXPECT_LT(px, s.FirstColumn(cell + 1));
      // The centre of the pixel lies inside the cell.
      EXPECT_LE(int64_t{cell} * 2 * s.width, (2 * int64_t{px} + 1) * cells);
      EXPECT_GT(int64_t{cell + 1} * 2 * s.width, (2 * int64_t{px} + 1) * cells);
    }
    EXPECT_EQ(s.FirstColumn(0), 0);
    EXPECT_EQ(s.FirstColumn(cells), s.width);
  }
}

// ---- The window in the editor ----

// A tile sheet whose first tiles have known colours: tile 0 red, tile 1 (10, 20, 30), tile 2
// white on its top half and black below (grey on average), the rest black.
toolkit::PicturePtr ColouredSheet() {
  toolkit::RgbImage sheet{305, 256, std::vector<Color>(305 * 256)};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      sheet.Set(x, y, Rgb(255, 0, 0));
      sheet.Set(17 + x, y, Rgb(10, 20, 30));
      sheet.Set(34 + x, y, y < 8 ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
    }
  return std::make_shared<headless::HeadlessPicture>(sheet);
}

constexpr Color kRed = Rgb(255, 0, 0), kDark = Rgb(10, 20, 30), kGrey = Rgb(128, 128, 128);
constexpr Color kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255), kDot = Rgb(0, 0, 192);

// The overview is 256 x 256 pixels; the map display 16 x 12 cells at zoom 1 without grid.
class OverviewWindow : public testing_support::EditorTest {
 protected:
  void Open(int16_t w, int16_t h) {
    ShowMap(w, h);
    global().TileSheet = ColouredSheet();
    display().Refresh();
    view().MENU_OVERVIEW->onClick();
    Settle();
  }
  Overview& overview() { return *editor->overview(); }
  headless::HeadlessSurface& picture() { return H(*overview().Display); }
  // What the event loop does between two events; the log starts afresh.
  void Settle() {
    tk.RunLaterWork();
    picture().ClearLog();
  }
  void Put(int x, int y, int16_t tile) { view().Map.MapTiles.Set(x, y, tile); }
  // The pixel areas drawn since the last Settle, as x y width height in pixels.
  std::vector<std::array<int, 4>> Drawn() {
    std::vector<std::array<int, 4>> out;
    for (const auto& c : picture().CallsOf(Kind::Pixels))
      out.push_back({int(c.args[0] / 15), int(c.args[1] / 15), int(c.args[2]), int(c.args[3])});
    return out;
  }
  int Redraws() { return static_cast<int>(picture().CallsOf(Kind::Clear).size()); }
};

// Each cell its tile's average colour, 8 x 8 pixels on a small map; a number off the sheet, or
// below 0, the display's background; an overlay object a dot on the cell's middle pixel.
TEST_F(OverviewWindow, ShowsEachCellInItsTilesAverageColour) {
  ShowMap(5, 2);
  Put(1, 0, 1), Put(2, 0, 2), Put(3, 0, 270), Put(4, 0, -1);
  view().Map.OverlayData.Set(1, 1, 7);
  global().TileSheet = ColouredSheet();
  view().MENU_OVERVIEW->onClick();
  const struct {
    int x, y;
    Color colour;
  } pixels[] = {
      {4, 4, kRed},     {12, 4, kDark},  {20, 4, kGrey}, {28, 4, kBlack},  // 270 is off the sheet
      {36, 4, kBlack},                                                     // so is -1
      {4, 12, kRed},    {12, 12, kDot},  {11, 11, kRed}, {13, 13, kRed},   // the dot
      {20, 20, kBlack},                                                    // beyond the map
      {39, 4, kWhite},  {40, 4, kBlack},                                   // the frame
  };
  for (const auto& p : pixels)
    EXPECT_EQ(picture().PixelAt(p.x, p.y), p.colour) << p.x << "," << p.y;
  EXPECT_EQ(overview().window->Caption(), "Overview");
}

// A map larger than the window: each pixel the colour of the cell under its centre; no dots.
TEST_F(OverviewWindow, SamplesTheCellUnderEachPixelsCentreOnALargeMap) {
  for (const auto& [w, h] :
       std::vector<std::pair<int16_t, int16_t>>{{32767, 1}, {600, 400}, {300, 700}}) {
    ShowMap(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 1; x < w; x += 2) Put(x, y, 1);
    view().Map.OverlayData.Set(1, 0, 3);
    global().TileSheet = ColouredSheet();
    editor->ShowOverview();
    picture().Refresh();
    const OverviewScale s = FitOverview(w, h, 256, 256);
    ASSERT_EQ(s.cellPixels, 0);
    // The last row, away from the frame.
    for (int px = 2; px < s.width; ++px) {
      const Color want = s.ColumnCell(px) % 2 == 0 ? kRed : kDark;
      ASSERT_EQ(picture().PixelAt(px, s.height - 1), want) << w << " x " << h << ": " << px;
    }
    for (int px = 0; px < s.width; ++px) EXPECT_NE(picture().PixelAt(px, 0), kDot);
  }
}

// The frame: white on the outermost pixels of the cells the display shows, black just outside,
// following zoom and grid.
TEST_F(OverviewWindow, FramesTheCellsTheDisplayShows) {
  Open(100, 100);  // 2 pixels a cell
  struct Case {
    const char* change;
    int16_t cols, rows;
  };
  for (const Case& c : {Case{"", 16, 12}, Case{"zoom", 8, 6}, Case{"grid", 15, 11}}) {
    if (std::string(c.change) == "zoom") view().MapZoom_Click();
    if (std::string(c.change) == "grid") view().MapZoom_Click(), view().Grid_Click();
    tk.RunLaterWork();
    ASSERT_EQ((std::array{view().ViewCols, view().ViewRows}), (std::array{c.cols, c.rows}));
    const int right = 2 * c.cols, bottom = 2 * c.rows;
    EXPECT_EQ(picture().PixelAt(right - 1, 5), kWhite) << c.change;
    EXPECT_EQ(picture().PixelAt(right, 5), kBlack) << c.change;
    EXPECT_EQ(picture().PixelAt(right + 1, 5), kRed) << c.change;
    EXPECT_EQ(picture().PixelAt(5, bottom - 1), kWhite) << c.change;
    EXPECT_EQ(picture().PixelAt(5, bottom), kBlack) << c.change;
    EXPECT_EQ(picture().PixelAt(right - 2, 5), kRed) << c.change;
    EXPECT_EQ(picture().PixelAt(0, 0), kWhite) << c.change;
  }
}

// A left press or drag moves the display to the page holding the cell under the pointer, as its
// scroll bars would; other buttons do nothing. 100 cells in pages of 16 x 12: 7 x 9 pages.
TEST_F(OverviewWindow, APressShowsThePageUnderThePointer) {
  Open(100, 100);
  struct Case {
    int cellX, cellY;
    int16_t button;
    int16_t h, v;
  };
  const Case cases[] = {
      {99, 99, toolkit::kLeftButton, 7, 9},  // last pages
      {50, 47, toolkit::kLeftButton, 4, 4},  // middle
      {15, 11, toolkit::kLeftButton, 1, 1},  // last cells of the first pages
      {16, 12, toolkit::kLeftButton, 2, 2},  // first cells of the second
      {99, 99, toolkit::kRightButton, 2, 2}, {99, 99, toolkit::kMiddleButton, 2, 2},
      {0, 0, toolkit::kLeftButton, 1, 1},
  };
  for (const Case& c : cases) {
    const int paints = display().paintCount;
    picture().onMouseDown(c.button, 0, c.cellX * 30 + 15.f, c.cellY * 30 + 15.f);
    EXPECT_EQ((std::array{view().HScroll->Value(), view().VScroll->Value()}),
              (std::array{c.h, c.v}))
        << c.cellX << "," << c.cellY;
    const bool moved = paints != display().paintCount;
    EXPECT_LE(display().paintCount - paints, 2);
    tk.RunLaterWork();
    if (moved) {  // the frame follows
      EXPECT_EQ(picture().PixelAt(2 * view().ViewFirstCol, 2 * view().ViewFirstRow), kWhite);
    }
  }
  // A drag past the picture's edge keeps to the last cell; a press there does nothing.
  picture().onMouseMove(toolkit::kLeftButton, 0, 3000, 100);
  EXPECT_EQ(view().HScroll->Value(), 7);
  picture().onMouseDown(toolkit::kLeftButton, 0, 100, 3300);
  EXPECT_EQ(view().VScroll->Value(), 1);
}

// One cell changed: only its pixels are drawn. Many: one redraw of the whole window. A view
// change: only the frame's sides, old and new.
TEST_F(OverviewWindow, DrawsOnlyWhatChanged) {
  Open(100, 100);
  global().SelectedCount = 1;
  global().SelectedTiles[1] = 1;
  view().Display_MouseDown(toolkit::kLeftButton, 0, 3 * 240 + 120, 2 * 240 + 120);
  Settle();
  view().Display_MouseMove(toolkit::kLeftButton, 0, 4 * 240 + 120, 2 * 240 + 120);
  tk.RunLaterWork();
  EXPECT_EQ(Drawn(), (std::vector<std::array<int, 4>>{{8, 4, 2, 2}}));
  EXPECT_EQ(picture().PixelAt(8, 5), kDark);
  EXPECT_EQ(Redraws(), 0);
  Settle();

  // An overlay object on a cell out of view, as a tool places one.
  view().Map.OverlayData.Set(60, 70, 5);
  tk.RunLaterWork();
  EXPECT_EQ(Drawn(), (std::vector<std::array<int, 4>>{{120, 140, 2, 2}}));
  EXPECT_EQ(picture().PixelAt(121, 141), kDot);
  Settle();

  // Many cells: one redraw, however many were touched.
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 10; ++y) Put(x, y, 2);
  tk.RunLaterWork();
  EXPECT_EQ(Redraws(), 1);
  EXPECT_EQ(picture().PixelAt(150, 10), kGrey);
  Settle();

  // A page: the old frame's sides and the new one's, nothing else.
  view().HScroll->SetValue(2);
  tk.RunLaterWork();
  EXPECT_EQ(Redraws(), 0);
  int area = 0;
  for (const auto& d : Drawn()) area += d[2] * d[3];
  EXPECT_GT(area, 0);
  EXPECT_LT(area, 4 * 2 * (32 + 24 + 4));
  EXPECT_EQ(picture().PixelAt(0, 20), kRed);  // the old frame is gone
  EXPECT_EQ(picture().PixelAt(32, 5), kWhite);
}

// On a map larger than the window a cell under a pixel's centre redraws that pixel; a cell under
// none changes nothing and asks for no drawing at all.
TEST_F(OverviewWindow, ACellUnderNoPixelDrawsNothing) {
  Open(1000, 1000);  // 256 pixels for 1000 cells
  const OverviewScale s = FitOverview(1000, 1000, 256, 256);
  const int sampled = s.ColumnCell(100), unsampled = sampled + 1;
  ASSERT_GT(s.ColumnCell(101), unsampled);
  Put(sampled, sampled, 1);
  tk.RunLaterWork();
  EXPECT_EQ(Drawn(), (std::vector<std::array<int, 4>>{{100, 100, 1, 1}}));
  EXPECT_EQ(picture().PixelAt(100, 100), kDark);
  Settle();
  Put(unsampled, sampled, 1);
  EXPECT_TRUE(tk.later.empty());
}

// Every kind of change reaches the overview once control is back in the event loop.
TEST_F(OverviewWindow, FollowsEveryKindOfChange) {
  Open(20, 10);
  global().SelectedCount = 1;
  global().SelectedTiles[1] = 1;
  const std::string mapFile = Folder() + "/small.map";
  struct Case {
    const char* what;
    std::function<void()> act;
    Color at00;  // pixel (1, 1) afterwards
  };
  const Case cases[] = {
      {"paint", [&] { view().Display_MouseDown(1, 0, 120, 120); }, kDark},
      {"undo", [&] { view().CommandUndo_Click(); }, kRed},
      {"flood fill",
       [&] {
         tk.messageAnswers = {toolkit::MessageResult::Yes};
         view().FloodFillMap_Click();
       },
       kDark},
      {"save and new map",
       [&] {
         ASSERT_TRUE(view().SaveNow(mapFile));
         tk.inputAnswers = {"3", "3"};
         view().MENU_NEW_MAP_Click();
       },
       kRed},
      {"load", [&] { view().LoadMap(mapFile); }, kDark},
      {"sheet",
       [&] {
         global().TileSheet = ColouredSheet();
         global().TileCount = 1;
         display().Refresh();
       },
       kBlack},
  };
  for (const Case& c : cases) {
    Settle();
    c.act();
    tk.RunLaterWork();
    EXPECT_FALSE(picture().calls.empty()) << c.what;
    EXPECT_EQ(picture().PixelAt(1, 1), c.at00) << c.what;
  }
  // Resizing the window draws it again at the new scale.
  Settle();
  H(*overview().window).UserResizeClient(20 * 15, 10 * 15);
  EXPECT_EQ(Redraws(), 1);
  EXPECT_EQ(Drawn(), (std::vector<std::array<int, 4>>{{0, 0, 20, 10}}));
}

// Modeless and single: a second choice brings it to the front; closing the main window closes
// it. It writes nothing.
TEST_F(OverviewWindow, IsOneWindowThatClosesWithTheMainWindow) {
  Open(20, 10);
  Overview* first = editor->overview();
  auto& window = H(*first->window);
  EXPECT_TRUE(window.Visible());
  view().MENU_OVERVIEW->onClick();
  EXPECT_EQ(editor->overview(), first);
  EXPECT_EQ(window.broughtToFront, 1);
  const auto filesBefore = std::distance(std::filesystem::directory_iterator(Folder()), {});
  window.UserClose();
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), filesBefore);
  Put(0, 0, 1);  // no longer followed
  tk.RunLaterWork();
  view().MENU_OVERVIEW->onClick();
  ASSERT_NE(editor->overview(), nullptr);
  EXPECT_TRUE(editor->overview()->window->Visible());
  mainWindow().UserClose();
  EXPECT_EQ(editor->overview(), nullptr);
}

}  // namespace
}  // namespace korvane
