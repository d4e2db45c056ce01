#include <array>

#include "ops/Overview.h"
#include "overview/Overview.h"
#include "overview/OverviewScale.h"
#include "overview/TileColours.h"
#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

using headless::H;
using toolkit::Color;
using toolkit::Rgb;
using Areas = std::vector<std::array<int, 4>>;

// Whole pixels while the map fits (8 at most), sampling from one cell more than the window; the
// side that meets the window's edge first fills it.
TEST(OverviewScale, FitsTheWholeMapKeepingItsProportions) {
  const std::array<int32_t, 7> cases[] = {
      // map w, h, window w, h -> picture w, h, pixels a cell (0: sampled)
      {31, 31, 256, 256, 248, 248, 8},
      {33, 33, 256, 256, 231, 231, 7},
      {100, 40, 256, 256, 200, 80, 2},
      {256, 256, 256, 256, 256, 256, 1},
      {257, 256, 256, 256, 256, 255, 0},
      {10, 300, 256, 256, 8, 256, 0},
      {300, 10, 256, 256, 256, 8, 0},
      {32767, 1, 256, 256, 256, 1, 0},
      {40, 30, 0, 256, 0, 0, 0},
      {1, 1, 256, 256, 8, 8, 8},
      {3, 3, 1, 1, 1, 1, 0},
      {1, 1, 1, 1, 1, 1, 1},
  };
  for (const auto& c : cases) {
    const OverviewScale s = FitOverview(c[0], c[1], c[2], c[3]);
    EXPECT_EQ((std::array{s.width, s.height, s.cellPixels}), (std::array{c[4], c[5], c[6]}))
        << c[0] << " x " << c[1];
  }
  // Every pixel shows the cell under its centre, and a cell's pixels are exactly those.
  for (const auto& [cells, window] :
       {std::array{5, 256}, std::array{257, 256}, std::array{32767, 300}, std::array{7, 3}}) {
    const OverviewScale s = FitOverview(cells, 1, window, 1000);
    for (int32_t px = 0; px < s.width; ++px) {
      const int64_t centre2 = (2 * int64_t{px} + 1) * cells, cell = s.ColumnCell(px);
      EXPECT_TRUE(cell * 2 * s.width <= centre2 && centre2 < (cell + 1) * 2 * s.width);
      EXPECT_TRUE(s.FirstColumn(cell) <= px && px < s.FirstColumn(cell + 1)) << px;
    }
  }
}

// A sheet whose first tiles are red, (10, 20, 30), and white above black (grey on average).
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

// Each cell fills its square of pixels in its tile's colour (a tile off the sheet in the
// background's), and nothing of a larger picture beside or below the map's part changes.
TEST(OverviewPixels, FillEachCellsSquareAndNothingElse) {
  MapDocument map;
  map.MapWidth = 3;
  map.MapHeight = 2;
  Grid16 tiles = *Grid16::TryCreate(3, 2);
  std::ranges::copy(std::array<int16_t, 6>{0, 1, 2, 1, -1, 0}, tiles.Cells().begin());
  map.MapTiles = TileLayer(std::move(tiles));
  const std::vector<uint32_t> colours{0x111111, 0x222222};
  constexpr uint32_t kUntouched = 0xABCDEF;
  std::vector<uint32_t> pixels(8 * 6, kUntouched);
  std::vector<std::pair<int, int>> progress;
  DrawOverview(map, colours, 2, toolkit::PixelRows<uint32_t>{pixels.data(), 8, 6, 8},
               [&](int64_t done, int64_t all) { progress.emplace_back(done, all); });
  const uint32_t b = toolkit::PixelOf(toolkit::kButtonTextColor);
  const uint32_t o = 0x111111, t = 0x222222, u = kUntouched;
  EXPECT_EQ(pixels, (std::vector<uint32_t>{o, o, t, t, b, b, u, u, o, o, t, t, b, b, u, u,
                                           t, t, b, b, o, o, u, u, t, t, b, b, o, o, u, u,
                                           u, u, u, u, u, u, u, u, u, u, u, u, u, u, u, u}));
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
}

// A 4 x 2 sheet of four colours a row: one-pixel tiles are those colours, two-pixel tiles their
// averages (halves rounded up), and no tile size gives none; only as many as the palette counted.
TEST(OverviewTileColours, EveryTileSizeFromOneHasColours) {
  toolkit::RgbImage image{4, 2, {}};
  for (int i = 0; i < 8; ++i) image.pixels.push_back(Rgb(uint8_t(i * 30), 0, uint8_t(i)));
  headless::HeadlessToolkit kit;
  const auto colour = [](int r, int b) { return toolkit::PixelOf(Rgb(uint8_t(r), 0, uint8_t(b))); };
  const struct {
    int16_t size, count;
    std::vector<uint32_t> colours;
  } rows[] = {{1,
               8,
               {colour(0, 0), colour(30, 1), colour(60, 2), colour(90, 3), colour(120, 4),
                colour(150, 5), colour(180, 6), colour(210, 7)}},
              {1, 3, {colour(0, 0), colour(30, 1), colour(60, 2)}},
              {2, 8, {colour(75, 3), colour(135, 5)}},
              {0, 8, {}}};
  for (const auto& row : rows) {
    TileSheetSetup sheet;
    sheet.TileSize = row.size;
    sheet.TileCount = row.count;
    sheet.TileSheet = kit.PictureFromImage(image);
    TileColours colours;
    EXPECT_TRUE(colours.Update(kit, sheet));
    EXPECT_EQ(colours.Colours(), row.colours) << row.size << " " << row.count;
    EXPECT_FALSE(colours.Update(kit, sheet));
  }
}

// A 256 x 256 pixel overview; the map display shows 16 x 12 cells at zoom 1 without grid.
class OverviewWindow : public testing_support::EditorTest {
 protected:
  void Open(int16_t w, int16_t h) {
    ShowMap(w, h);
    global().TileSheet = ColouredSheet();
    global().SelectedCount = 1;
    global().SelectedTiles[1] = 1;
    view().MENU_OVERVIEW->onClick();
    Settle();
  }
  headless::HeadlessSurface& picture() { return H(*editor->overview()->Display); }
  // The event loop's turn; the drawing log starts afresh.
  void Settle() {
    tk.RunLaterWork();
    picture().ClearLog();
  }
  void Put(int x, int y, int16_t tile) { view().Map.MapTiles.Set(x, y, tile); }
  Color At(int x, int y) { return picture().PixelAt(x, y); }
  // What the event loop's turn drew: pixel areas (x y width height) and whole redraws.
  Areas Drawn() {
    tk.RunLaterWork();
    Areas out;
    for (const auto& c : picture().CallsOf(headless::DrawCall::Kind::Pixels))
      out.push_back({int(c.args[0] / 15), int(c.args[1] / 15), int(c.args[2]), int(c.args[3])});
    return out;
  }
  size_t Redraws() { return picture().CallsOf(headless::DrawCall::Kind::Clear).size(); }
};

// Each cell its tile's average colour, 8 x 8 pixels on a 5 x 2 map; a tile off the sheet or below
// 0 the background; an overlay object a dot on the middle pixel; the frame around all 5 x 2.
// On a map larger than the window, each pixel the cell under its centre, and no dots; on one of a
// pixel a cell, dots.
TEST_F(OverviewWindow, ShowsEachCellInItsTilesAverageColour) {
  Open(5, 2);
  Put(1, 0, 1), Put(2, 0, 2), Put(3, 0, 270), Put(4, 0, -1);
  view().Map.OverlayData.Set(1, 1, 7);
  picture().Refresh();
  const std::pair<std::array<int, 2>, Color> pixels[] = {
      {{4, 4}, kRed},     {{12, 4}, kDark},  {{20, 4}, kGrey},  {{28, 4}, kBlack},
      {{36, 4}, kBlack},  {{12, 12}, kDot},  {{11, 11}, kRed},  {{13, 13}, kRed},
      {{20, 20}, kBlack}, {{39, 4}, kWhite}, {{40, 4}, kBlack}, {{38, 4}, kBlack},
  };
  for (const auto& [p, colour] : pixels) EXPECT_EQ(At(p[0], p[1]), colour) << p[0] << "," << p[1];

  const std::array<int16_t, 2> large[] = {
      {32767, 1}, {4, 32767}, {600, 400}, {300, 700}, {256, 128}};
  for (const auto& [w, h] : large) {
    testing_support::MakeTestMap(view(), w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 1; x < w; x += 2) Put(x, y, 1);
    view().Map.OverlayData.Set(1, h - 1, 3);
    view().Map.OverlayData.Set(3, h - 1, -3);  // below 1: no dot
    view().UpdateViewGeometry();               // the frame in the last page's corner
    view().HScroll->SetValue(view().HScroll->Max());
    view().VScroll->SetValue(view().VScroll->Max());
    view().UpdateViewGeometry();
    picture().Refresh();
    const OverviewScale s = FitOverview(w, h, 256, 256);
    // The last page's frame ends on the last pixels, even where its first cell has none.
    EXPECT_EQ(At(s.width - 1, s.height - 1), kWhite) << w << " x " << h;
    for (int px = 2; px < s.width / 2; ++px)  // the last row's left half, away from the frame
      ASSERT_EQ(At(px, s.height - 1), s.ColumnCell(px) % 2 ? kDark : kRed) << w << " " << px;
    // A pixel a cell (the map as wide as the window): still dots. Fewer: none, not even on the
    // first pixel, where every cell's would land.
    EXPECT_EQ((std::array{s.cellPixels, int(At(1, s.height - 1) == kDot), int(At(0, 0) == kDot)}),
              (std::array{w == 256 ? 1 : 0, w == 256 ? 1 : 0, 0}))
        << w;
  }
}

// The frame: white on the outermost pixels of the shown cells, black just outside, following
// the zoom and the grid. A left press or drag shows the page under the pointer, as the scroll
// bars would (100 cells in pages of 16 x 12: 7 x 9 pages); other buttons do nothing.
TEST_F(OverviewWindow, FramesTheViewAndAPressShowsThePageUnderThePointer) {
  Open(100, 100);  // 2 pixels a cell
  const std::array<int, 4> views[] = {{1, 0, 16, 12}, {2, 0, 8, 6}, {1, 1, 15, 11}};
  for (const auto& [zoom, grid, cols, rows] : views) {
    if (view().MapZoomFactor != zoom) view().MapZoom_Click();
    if (view().GridOn != grid) view().Grid_Click();
    tk.RunLaterWork();
    ASSERT_EQ((std::array<int, 2>{view().ViewCols, view().ViewRows}), (std::array{cols, rows}));
    EXPECT_EQ((std::array{At(2 * cols - 1, 5), At(2 * cols, 5), At(2 * cols + 1, 5)}),
              (std::array{kWhite, kBlack, kRed}));
    EXPECT_EQ((std::array{At(5, 2 * rows - 1), At(5, 2 * rows), At(0, 0)}),
              (std::array{kWhite, kBlack, kWhite}));
  }
  view().Grid_Click();
  const std::array<int, 5> presses[] = {
      // cell x, y, button -> page across, down
      {99, 99, toolkit::kLeftButton, 7, 9}, {50, 47, toolkit::kLeftButton, 4, 4},
      {15, 11, toolkit::kLeftButton, 1, 1}, {16, 12, toolkit::kLeftButton, 2, 2},
      {0, 0, toolkit::kRightButton, 2, 2},  {0, 0, toolkit::kMiddleButton, 2, 2},
  };
  for (const auto& [x, y, button, h, v] : presses) {
    picture().onMouseDown(int16_t(button), 0, x * 30 + 15.f, y * 30 + 15.f);
    EXPECT_EQ((std::array<int, 2>{view().HScroll->Value(), view().VScroll->Value()}),
              (std::array{h, v}));
    tk.RunLaterWork();
    // The frame follows, its bottom edge on the last shown row.
    const int right = std::min(view().ViewFirstCol + view().ViewCols, 100);
    const int bottom = std::min(view().ViewFirstRow + view().ViewRows, 100);
    EXPECT_EQ((std::array{At(2 * view().ViewFirstCol, 2 * view().ViewFirstRow),
                          At(2 * right - 2, 2 * bottom - 1)}),
              (std::array{kWhite, kWhite}));
  }
  picture().onMouseMove(toolkit::kLeftButton, 0, 3000, 100);  // dragged past the edge: the last
  EXPECT_EQ((std::array<int, 2>{view().HScroll->Value(), view().VScroll->Value()}),
            (std::array{7, 1}));
  // Presses in twips on the picture's first and last pixels (0 and 199), and on the first pixel
  // outside it on each side: nothing, where taking the nearest edge would show another page.
  const std::array<float, 4> edges[] = {
      {0, 2985, 1, 9}, {2985, 0, 7, 1},    {-1, 2985, 7, 1},
      {100, -1, 7, 1}, {3000, 2985, 7, 1}, {100, 3000, 7, 1},
  };
  for (const auto& [x, y, h, v] : edges) {
    picture().onMouseDown(toolkit::kLeftButton, 0, x, y);
    EXPECT_EQ((std::array<int, 2>{view().HScroll->Value(), view().VScroll->Value()}),
              (std::array{int(h), int(v)}))
        << x << "," << y;
  }
  global().TileSize = 0;  // no sheet applied: no page to show
  picture().onMouseDown(toolkit::kLeftButton, 0, 15, 15);
  EXPECT_EQ((std::array<int, 2>{view().HScroll->Value(), view().VScroll->Value()}),
            (std::array{7, 1}));
}

// One changed cell draws only its pixels (none on a shrunk map when no pixel's centre is on it);
// many, one redraw.
TEST_F(OverviewWindow, DrawsOnlyWhatChanged) {
  Open(100, 100);
  // The view moves a page across: the old frame's four sides and the new one's, each clipped to
  // the picture (the old frame's black ring lies outside it at the top and left).
  view().HScroll->SetValue(2);
  EXPECT_EQ(Drawn(), (Areas{{0, 0, 33, 1},
                            {0, 23, 33, 2},
                            {0, 1, 1, 22},
                            {31, 1, 2, 22},
                            {31, 0, 34, 1},
                            {31, 23, 34, 2},
                            {31, 1, 2, 22},
                            {63, 1, 2, 22}}));
  EXPECT_EQ((std::array{At(0, 5), At(5, 0), At(32, 0), At(31, 5)}),
            (std::array{kRed, kRed, kWhite, kBlack}));
  view().HScroll->SetValue(1);
  Settle();
  view().Display_MouseDown(toolkit::kLeftButton, 0, 4 * 240 + 120, 2 * 240 + 120);
  EXPECT_EQ(Drawn(), (Areas{{8, 4, 2, 2}}));
  view().Map.OverlayData.Set(60, 70, 5);  // out of view
  EXPECT_EQ(Drawn(), (Areas{{8, 4, 2, 2}, {120, 140, 2, 2}}));
  EXPECT_EQ((std::array{At(8, 5), At(121, 141), At(120, 140)}), (std::array{kDark, kDot, kRed}));
  // Up to 256 cells are drawn one by one; one more, and the whole picture is drawn once.
  for (const int cells : {256, 257}) {
    Settle();
    for (int i = 0; i < cells; ++i) Put(i % 100, i / 100, int16_t(cells == 256 ? 2 : 1));
    const size_t areas = Drawn().size();
    EXPECT_EQ(std::pair(areas, Redraws()),
              cells == 256 ? std::pair(size_t{256}, size_t{0}) : std::pair(areas, size_t{1}));
  }
  EXPECT_EQ((std::array{At(112, 4), At(114, 4)}), (std::array{kDark, kRed}));

  Open(1000, 1000);  // 256 pixels for 1000 cells: cell 392 under pixel 100, 393 under none
  Put(392, 392, 1);
  EXPECT_EQ(Drawn(), (Areas{{100, 100, 1, 1}}));
  Settle();
  Put(393, 392, 1);
  EXPECT_TRUE(tk.later.empty());
}

// Every kind of change shows once control is back in the event loop, and so does a resize. The
// window is one, brought to the front when chosen again, and closes with the main window.
TEST_F(OverviewWindow, FollowsEveryChangeAndClosesWithTheMainWindow) {
  Open(20, 10);  // 8 pixels a cell
  const std::string file = Folder() + "/small.map";
  const auto shows = [&](Color colour) { return tk.RunLaterWork(), At(1, 1) == colour; };
  view().Display_MouseDown(1, 0, 120, 120);
  EXPECT_TRUE(shows(kDark));
  view().CommandUndo_Click();
  EXPECT_TRUE(shows(kRed));
  tk.messageAnswers = {toolkit::MessageResult::Yes};
  view().FloodFillMap_Click();
  EXPECT_TRUE(shows(kDark));
  ASSERT_TRUE(view().SaveNow(file));
  tk.inputAnswers = {"3", "3"};
  view().MENU_NEW_MAP_Click();
  EXPECT_TRUE(shows(kRed));
  view().LoadMap(file);
  EXPECT_TRUE(shows(kDark));
  global().TileCount = 1;  // tile 1 now off the sheet
  display().Refresh();
  EXPECT_TRUE(shows(kBlack));
  Settle();
  H(*editor->overview()->window).UserResizeClient(20 * 15, 10 * 15);
  EXPECT_EQ((std::pair{Redraws(), Drawn()}), (std::pair{size_t{1}, Areas{{0, 0, 20, 10}}}));

  Overview* first = editor->overview();
  view().MENU_OVERVIEW->onClick();
  EXPECT_EQ(std::pair(editor->overview(), H(*first->window).broughtToFront), std::pair(first, 1));
  H(*first->window).UserClose();
  EXPECT_FALSE(first->window->Visible());
  tk.RunLaterWork();  // a closed overview hears of no change
  Put(0, 0, 2);
  view().Map.OverlayData.Set(0, 0, 3);
  EXPECT_TRUE(tk.later.empty());
  view().MENU_OVERVIEW->onClick();
  EXPECT_TRUE(editor->overview()->window->Visible());
  mainWindow().UserClose();
  EXPECT_EQ(editor->overview(), nullptr);
}

}  // namespace
}  // namespace korvane
