#include "model/SampleSheet.h"
#include "render/TileGeometry.h"
#include "tests/support/EditorFixture.h"
#include "tiles/LoadTiles.h"
#include "tiles/PaletteLayout.h"
#include "tiles/TileView.h"

namespace korvane {
namespace {

using headless::DrawCall;
using headless::H;
using toolkit::kLeftButton, toolkit::kRightButton;
using Frame = std::pair<toolkit::Color, int>;  // a frame's colour and cell (y * 18 + x)

constexpr toolkit::Color kRed = toolkit::Rgb(255, 0, 0), kBlack = toolkit::Rgb(0, 0, 0);
constexpr float kCell = 270;  // the palette cell of a 16-pixel tile at zoom 1: 30 twips of gutter

toolkit::PicturePtr Picture(int32_t widthPx, int32_t heightPx) {
  return std::make_shared<headless::HeadlessPicture>(widthPx, heightPx);
}

// Only the one-pixel separators and the margin below the last row are white, and the tiles are
// drawn as users know them (the FNV-1a digest of the pixels).
TEST(SampleSheet, SeparatorsAreWhiteAndTheTilesAreUnchanged) {
  const toolkit::RgbImage sheet = MakeSampleSheet();
  ASSERT_EQ(std::tuple(sheet.width, sheet.height), std::tuple(305, 256));
  uint64_t digest = 14695981039346656037u;
  for (int y = 0; y < sheet.height; ++y)
    for (int x = 0; x < sheet.width; ++x) {
      const toolkit::Color c = sheet.At(x, y);
      ASSERT_EQ(c == toolkit::Color(255, 255, 255), x % 17 == 16 || y % 17 == 16 || y >= 255);
      for (const uint8_t byte : {c.r, c.g, c.b}) digest = (digest ^ byte) * 1099511628211u;
    }
  EXPECT_EQ(digest, 11074619317489304464u);
}

// The tile rule on a sheet of w x h pixels at 15 twips a pixel: whole tiles along each axis
// after the offset, and where tile t is cut from; in the sheet's pixels the rule gives the same
// tiles, each rectangle a fifteenth.
// Whole cells along a side: the first tile, then one a pitch (the rest rounded half to even),
// never below one nor above 32767; a pitch below one twip gives one cell.
TEST(PaletteLayout, WholeCellsAlongASide) {
  const std::tuple<float, int32_t, int32_t, int16_t> rows[] = {
      {240, 240, 270, 1}, {508.5f, 240, 270, 1}, {509.5f, 240, 270, 2}, {510, 240, 270, 2},
      {0, 240, 270, 1},   {-1000, 240, 270, 1},  {10, 0, 1, 11},        {10, 0, 0, 1},
      {10, 0, -5, 1},     {1e9f, 0, 1, 32767}};
  for (const auto& [extent, tile, pitch, cells] : rows)
    EXPECT_EQ(PaletteCellsAlong(extent, tile, pitch), cells) << extent << " " << pitch;
}

TEST(TileGeometry, WholeTilesAndTheTileRectangle) {
  const struct {
    int16_t size, spacing, offset;
    int32_t w, h;  // 0: no sheet
    int32_t cols, rows, tile;
    TwipsRect rect;
  } cases[] = {
      {16, 1, 0, 305, 256, 18, 15, 19, {255, 255, 240, 240}},
      {16, 1, 0, 305, 256, 18, 15, 269, {4335, 3570, 240, 240}},  // the last tile
      {16, 1, 2, 305, 256, 17, 15, 19, {540, 285, 240, 240}},
      {8, 0, 2, 169, 169, 20, 20, 21, {150, 150, 120, 120}},
      {16, 0, 0, 16, 16, 1, 1, 0, {0, 0, 240, 240}},  // exactly one tile
      {16, 1, 0, 32, 33, 1, 2, 0, {0, 0, 240, 240}},  // a pixel short of a second tile, then not
      {16, 1, 10, 10, 10, 1, 1, 0, {150, 150, 240, 240}},  // short of a tile by less than a pitch
      {16, 1, 10, 9, 9, 0, 0, 0, {150, 150, 240, 240}},    // short by a pitch: no tile
      {16, 1, 40, 30, 30, 0, 0, 0, {600, 600, 240, 240}},  // no whole tile after the offset
      {16, 1, 0, 0, 0, 0, 0, 0, {0, 0, 240, 240}},
      {0, 1, 0, 305, 256, 0, 0, 0, {0, 0, 0, 0}},          // tiles of no size
      {16, -16, 0, 305, 256, 0, 0, 0, {0, 0, 240, 240}}};  // tiles on top of each other
  for (const auto& c : cases) {
    MapGlobal g;
    testing_support::ApplyTestSheet(g);
    std::tie(g.TileSize, g.TileSpacing, g.TileOffset) = std::tuple(c.size, c.spacing, c.offset);
    g.TileTwipsX = g.TileTwipsY = static_cast<int16_t>(c.size * 15);
    g.TileSheet = c.w ? Picture(c.w, c.h) : nullptr;
    EXPECT_EQ(std::tuple(SheetColumns(g), SheetRows(g), TileSheetRect(g, c.tile, c.cols + !c.cols)),
              std::tuple(c.cols, c.rows, c.rect))
        << c.size << "/" << c.spacing << "/" << c.offset << " on " << c.w << " x " << c.h;
    if (!c.w) continue;
    SheetLayout pixels = LayOutSheetPixels(c.w, c.h, {c.size, c.spacing, c.offset});
    const TileRect r = (pixels.columns += !pixels.columns, TilePixelRect(pixels, c.tile));
    EXPECT_EQ(std::tuple(pixels.columns, pixels.rows, 15 * r.left, 15 * r.top, 15 * r.width),
              std::tuple(c.cols + !c.cols, c.rows, c.rect.left, c.rect.top, c.rect.width));
  }
}

// A started editor with the palette shown at a known size and no sheet applied yet.
class Tiles : public testing_support::EditorTest {
 protected:
  Tiles() { ResizePalette(4800, 7800); }
  TileView& palette() { return editor->tileView(); }
  MapGlobal& g() { return global(); }
  headless::HeadlessSurface& surface() { return H(*palette().Display); }
  headless::HeadlessScrollBar& bar() { return H(*palette().HScroll); }
  void ResizePalette(float w, float h) { H(*palette().window).UserResizeClient(w, h); }
  // Types the geometry into the dialog, optionally with another preview, and presses Ok.
  bool ApplySheet(const char* size, const char* spacing, const char* offset,
                  toolkit::PicturePtr picture = nullptr) {
    LoadTiles& dialog = editor->loadTiles();
    dialog.TileSize->SetText(size);
    dialog.TileSpacing->SetText(spacing);
    dialog.TileOffset->SetText(offset);
    if (picture) dialog.Display->SetPicture(std::move(picture));
    return dialog.OkLoad_Click();
  }
  void PressCell(int16_t button, int x, int y) {
    palette().Display_MouseDown(button, 0, x * kCell + 120, y * kCell + 120);
  }
  std::vector<int16_t> Selection() {
    return {g().SelectedTiles.begin() + 1, g().SelectedTiles.begin() + 1 + g().SelectedCount};
  }
  // Frames drawn since the last call, each with its cell, or -1 when the box is not the
  // one-pixel frame around a cell.
  std::vector<Frame> TakeFrames() {
    std::vector<Frame> out;
    for (const DrawCall& c : surface().CallsOf(DrawCall::Kind::FilledBox)) {
      const int x = static_cast<int>((c.args[0] + 15) / kCell);
      const int y = static_cast<int>((c.args[1] + 15) / kCell);
      const bool frame = c.args == std::vector<float>{x * kCell - 15, y * kCell - 15, 255, 255};
      out.emplace_back(c.color, frame ? y * 18 + x : -1);
    }
    surface().ClearLog();
    return out;
  }
};

// Ok applies the previewed picture itself and fits the palette to the sheet's columns. Cancel and
// closing keep the applied sheet; a picture that cannot be loaded changes nothing and says nothing;
// with the palette closed, Ok loads it first.
TEST_F(Tiles, TheDialogAppliesThePreviewOnlyOnOk) {
  tk.pictures["/empty.bmp"] = Picture(0, 0);
  tk.pictures["/tiles.bmp"] = Picture(169, 169);
  g().SelectedCount = 3;
  editor->mapView().MENU_LOAD_TILES->onClick();  // the menu entry opens it, shown
  EXPECT_TRUE(editor->loadTiles().window->Visible());
  LoadTiles* dialog = &editor->loadTiles();
  const toolkit::PicturePtr sample = dialog->Display->GetPicture();
  H(*dialog->OkLoad).Click();
  EXPECT_EQ(std::tuple(g().TileSheet, g().SelectedCount, g().TileCount, palette().PageCols,
                       bar().Max(), bar().Enabled(), editor->HasLoadTiles()),
            std::tuple(sample, 0, 270, 18, 1, false, false));
  for (const bool cancel : {true, false}) {
    tk.fileAnswers = {std::nullopt, "/missing.bmp", "/empty.bmp"};
    dialog = &editor->loadTiles();
    for (int i = 0; i < 2; ++i) H(*dialog->LoadPic).Click();  // cancelled, then no picture
    EXPECT_EQ(dialog->Display->GetPicture()->WidthHimetric(), sample->WidthHimetric());
    H(*dialog->LoadPic).Click();  // an empty picture: Ok refuses it
    EXPECT_FALSE(dialog->OkLoad_Click());
    cancel ? H(*dialog->CancelLoad).Click() : void(H(*dialog->window).UserClose());
    EXPECT_EQ(std::tuple(g().TileSize, g().TileSheet, editor->HasLoadTiles()),
              std::tuple(16, sample, false));
  }
  EXPECT_TRUE(tk.messagesAsked.empty() && tk.failuresReported.empty());
  ASSERT_TRUE(H(*palette().window).UserClose());
  tk.fileAnswers = {"/tiles.bmp"};
  H(*editor->loadTiles().LoadPic).Click();
  ASSERT_TRUE(ApplySheet("8", "0", "2"));
  EXPECT_EQ(std::tuple(g().TileSheet, g().TileSize, g().TileOffset, g().TileCount),
            std::tuple(tk.pictures["/tiles.bmp"], 8, 2, 400));
}

// Typed numbers are rounded and clamped; text that is no 16-bit number, and a sheet whose tile
// numbers or twips leave 16 bits, is refused: the dialog stays and nothing changes. Tiles,
// offsets (with no whole tile after them) and pitches of 32760 twips, the last tile's far edge
// at 32760 and 28224 tiles fit; a little more does not.
TEST_F(Tiles, OkConvertsClampsOrRefusesTheTypedGeometry) {
  const struct {
    const char *size, *spacing, *offset;
    int32_t w, h;
    int tileSize, tileSpacing, tileOffset;  // a size of 0: refused
  } cases[] = {{"16.5", "1", "0", 305, 256, 16, 1, 0},     {"17.5", "1", "0", 305, 256, 18, 1, 0},
               {"0", "1", "0", 305, 256, 1, 1, 0},         {"abc", "1", "0", 305, 256, 0, 0, 0},
               {"16", "-1", "0", 305, 256, 16, 0, 0},      {"16", "1", "-7", 305, 256, 16, 1, 0},
               {"40000", "1", "0", 305, 256, 0, 0, 0},     {"16", "1", "1e9", 305, 256, 0, 0, 0},
               {"2184", "0", "0", 2200, 2200, 2184, 0, 0}, {"2185", "0", "0", 2200, 2200, 0, 0, 0},
               {"16", "0", "2184", 100, 100, 16, 0, 2184}, {"16", "0", "2185", 100, 100, 0, 0, 0},
               {"16", "2168", "0", 100, 100, 16, 2168, 0}, {"16", "2169", "0", 100, 100, 0, 0, 0},
               {"16", "0", "0", 2184, 100, 16, 0, 0},      {"16", "0", "0", 2200, 100, 0, 0, 0},
               {"1", "0", "0", 168, 168, 1, 0, 0},         {"1", "0", "0", 200, 200, 0, 0, 0}};
  for (const auto& c : cases) {
    // A fresh picture each time, as the dialog may still show the last refused one.
    ASSERT_TRUE(ApplySheet("16", "1", "0", Picture(305, 256)));
    const toolkit::PicturePtr sample = g().TileSheet;
    g().SelectedCount = 2;
    const bool refused = c.tileSize == 0;
    EXPECT_EQ(ApplySheet(c.size, c.spacing, c.offset, Picture(c.w, c.h)), !refused) << c.size;
    EXPECT_EQ(std::tuple(g().TileSize, g().TileSpacing, g().TileOffset, g().SelectedCount,
                         g().TileSheet == sample, editor->HasLoadTiles()),
              refused ? std::tuple(16, 1, 0, 2, true, true)
                      : std::tuple(c.tileSize, c.tileSpacing, c.tileOffset, 0, false, false))
        << c.size << " / " << c.spacing << " / " << c.offset;
  }
}

// A palette of 18 x 4 whole cells (72 tiles a page, the fourth page holding the last 54) with a
// strip of part cells right of and below them; at zoom 2, 9 x 2 cells of 510 twips. The pointer
// is rounded to whole twips, halves to even, and divided truncating toward zero: less than a
// cell left of or above the palette is still its first column or row.
TEST_F(Tiles, APressPicksTheTileOfTheWholeCellUnderThePointer) {
  ASSERT_TRUE(ApplySheet("16", "1", "0"));
  ResizePalette(5000, 1500);
  // clang-format off
  struct Row { int16_t zoom, page; float x, y; int tile; };  // tile -1: the press is ignored
  for (const Row& r : {Row{1, 1, 0, 0, 0}, {1, 1, 239.5f, 269.4f, 0}, {1, 1, 269.5f, 0, 1},
                       {1, 1, -0.5f, -269, 0}, {1, 1, -270, 0, -1}, {1, 1, 0, -270, -1},
                       {1, 1, 4859, 1079, 71}, {1, 1, 4860, 0, -1}, {1, 1, 0, 1080, -1},
                       {1, 2, 0, 0, 72}, {1, 4, 4859, 809, 269}, {1, 4, 0, 810, -1},
                       {2, 1, 509, 509, 0}, {2, 1, 510, 0, 1}, {2, 1, 4589, 1019, 17},
                       {2, 1, 4590, 0, -1}, {2, 1, 0, 1020, -1}}) {
    // clang-format on
    if (palette().ZoomStatus != r.zoom) editor->mapView().TileZoom_Click();
    bar().UserSetValue(r.page);
    g().SelectedCount = 0;
    palette().Display_MouseDown(kLeftButton, 0, r.x, r.y);
    EXPECT_EQ(Selection(), r.tile < 0 ? std::vector<int16_t>{} : std::vector{int16_t(r.tile)})
        << "zoom " << r.zoom << ", page " << r.page << " at " << r.x << ", " << r.y;
  }
  // The smallest tiles are picked alike.
  ASSERT_TRUE(ApplySheet("1", "0", "0", std::make_shared<headless::HeadlessPicture>(4, 3)));
  palette().Display_MouseDown(kLeftButton, 0, 0, 0);
  EXPECT_EQ(Selection(), std::vector<int16_t>{0});
}

// Each repaint draws its page's tiles and a red frame around each selected one, the first and the
// last tile of a page too, whichever page was shown when they were selected.
TEST_F(Tiles, EachPageShowsItsTilesAndTheFramesOfItsSelectedTiles) {
  ASSERT_TRUE(ApplySheet("16", "1", "0"));
  ResizePalette(5000, 1500);
  for (const int16_t t : {0, 71, 72, 269}) g().SelectedTiles[++g().SelectedCount] = t;
  // clang-format off
  struct Row { int16_t page, first; size_t tiles; std::vector<Frame> frames; };
  for (const Row& r : {Row{1, 0, 72, {{kRed, 0}, {kRed, 3 * 18 + 17}}}, {2, 72, 72, {{kRed, 0}}},
                       {3, 144, 72, {}}, {4, 216, 54, {{kRed, 2 * 18 + 17}}}}) {
    // clang-format on
    bar().UserSetValue(r.page);
    surface().ClearLog();
    surface().Refresh();
    EXPECT_EQ(
        std::tuple(palette().PageFirstTile, surface().CallsOf(DrawCall::Kind::PaintPicture).size(),
                   bar().Max(), bar().Enabled()),
        std::tuple(r.first, r.tiles, 4, true));
    EXPECT_EQ(TakeFrames(), r.frames) << "page " << r.page;
  }
  // While the thumb is dragged each step shows its page, before the drag ends.
  bar().SetValue(2);
  surface().ClearLog();
  bar().onScroll();
  EXPECT_EQ(
      std::pair(palette().PageFirstTile, surface().CallsOf(DrawCall::Kind::PaintPicture).size()),
      std::pair(int16_t{72}, size_t{72}));
  // A click on an arrow changes the page without a drag.
  bar().SetValue(3);
  EXPECT_EQ(palette().PageFirstTile, 144);
}

// 270-twip cells: 18 columns fit a surface up to 5099.4 twips wide, 19 from 5099.5 (rounded to
// the even 5100); 4 rows a client up to 1574 twips high (1319 of surface), 5 from 1575. The 270
// tiles fill 3 pages of 90 exactly, or 4 of 72 with the last in part. A client 255 twips high or
// less keeps the last layout; a surface narrower than a cell still has a column. Each row resizes
// from the last.
TEST_F(Tiles, ResizingRepaintsOnlyWhenTheWholeCellCountChanges) {
  ASSERT_TRUE(ApplySheet("16", "1", "0"));
  ResizePalette(5000, 1500);
  // clang-format off
  struct Row { float w, h, laidOutH; int16_t cols, rows, pages; bool paints; };
  for (const Row& r : {Row{5099.4f, 1500, 1500, 18, 4, 4, false},
                       {5099.5f, 1500, 1500, 19, 4, 4, true}, {5000, 1500, 1500, 18, 4, 4, true},
                       {5000, 1574, 1574, 18, 4, 4, false}, {5000, 1575, 1575, 18, 5, 3, true},
                       {4000, 255, 1575, 18, 5, 3, false},
                       {100, 255.5f, 255.5f, 1, 1, 270, true}}) {
    // clang-format on
    const int paints = surface().paintCount;
    ResizePalette(r.w, r.h);
    const float w = r.h > 255 ? r.w : 5000, h = r.laidOutH;  // the layout kept, or the new one
    EXPECT_EQ(std::tuple(surface().paintCount - paints, palette().PageCols, palette().PageRows,
                         bar().Max()),
              std::tuple(r.paints ? 1 : 0, r.cols, r.rows, r.pages))
        << r.w << " x " << r.h;
    EXPECT_EQ((std::array{palette().Display->GetPlace(), bar().GetPlace(),
                          palette().Command1->GetPlace()}),
              (std::array<toolkit::Place, 3>{{{0, 0, w, h - 255},
                                              {0, h - 255, std::max(w - 255, 0.0f), 255},
                                              {w - 255, h - 255, 255, 255}}}));
  }
}

// "O" fits the surface's width to the sheet's columns at either zoom, without the last gutter: 18
// columns of 270 (zoom 2: 510) twips, one column, 10 one-pixel tiles of 45 twips, and no width to
// fit for a sheet with no whole tile after its offset.
TEST_F(Tiles, TheWidthFitTakesTheSheetsColumns) {
  // clang-format off
  struct Row { const char *size, *offset; int32_t sheetPx; int16_t zoom; float width; };
  for (const Row& r : {Row{"16", "0", 305, 1, 4830}, {"16", "0", 305, 2, 9150},
                       {"16", "0", 16, 1, 240}, {"1", "0", 20, 1, 420}, {"16", "10", 9, 1, 3000}}) {
    // clang-format on
    ASSERT_TRUE(ApplySheet(r.size, "1", r.offset, Picture(r.sheetPx, 100)));
    if (palette().ZoomStatus != r.zoom) editor->mapView().TileZoom_Click();
    ResizePalette(3000, 3000);
    H(*palette().Command1).Click();
    EXPECT_EQ(surface().ScaleWidth(), r.width)
        << r.size << " on " << r.sheetPx << ", zoom " << r.zoom;
  }
}

// With "Multiple Tiles" left adds, right removes by moving the last entry into the freed place;
// the 501st tile is refused until one is removed.
TEST_F(Tiles, PalettePressesSelectAndFrameTiles) {
  ASSERT_TRUE(ApplySheet("16", "1", "0"));
  editor->mapView().MultipleTiles->SetValue(1);
  editor->mapView().MultipleTiles->SetValue(0);  // with nothing selected: still nothing
  EXPECT_EQ(Selection(), std::vector<int16_t>{});
  editor->mapView().MultipleTiles->SetValue(1);
  TakeFrames();
  PressCell(kRightButton, 3, 0);  // nothing to remove
  for (const int t : {5, 9, 12, 20}) PressCell(kLeftButton, t % 18, t / 18);
  PressCell(kRightButton, 5, 0);
  PressCell(kLeftButton, 9, 0);    // already selected
  PressCell(kRightButton, 12, 1);  // not selected
  EXPECT_EQ(Selection(), (std::vector<int16_t>{20, 9, 12}));
  EXPECT_EQ(TakeFrames(),
            (std::vector<Frame>{{kRed, 5}, {kRed, 9}, {kRed, 12}, {kRed, 20}, {kBlack, 5}}));
  ASSERT_TRUE(ApplySheet("16", "0", "0", Picture(400, 400)));  // 25 x 25 tiles, one page
  for (int t = 0; t < 501; ++t) PressCell(kLeftButton, t % 25, t / 25);
  EXPECT_EQ(std::pair(g().SelectedCount, g().IsSelected(500)), std::pair(int16_t{500}, false));
  PressCell(kRightButton, 0, 0);
  PressCell(kLeftButton, 0, 20);
  EXPECT_TRUE(g().IsSelected(500));

  // Without "Multiple Tiles" one frame follows the left button. The previous tile loses its
  // frame only when it is on the page shown, its last cell included (pages of 90 tiles).
  editor->mapView().MultipleTiles->SetValue(0);
  EXPECT_EQ(Selection(), std::vector<int16_t>{499});  // only the first entry stays
  ASSERT_TRUE(ApplySheet("16", "1", "0"));
  PressCell(kLeftButton, 7, 0);
  PressCell(kRightButton, 8, 0);
  TakeFrames();
  PressCell(kLeftButton, 12, 1);
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kBlack, 7}, {kRed, 30}}));
  ResizePalette(palette().window->ScaleWidth(), 1675);  // 18 x 5 cells
  PressCell(kLeftButton, 17, 4);                        // tile 89, the page's last cell
  bar().UserSetValue(2);
  TakeFrames();
  PressCell(kLeftButton, 0, 0);  // tile 90: 89 is one before the page
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kRed, 0}}));
  bar().UserSetValue(1);
  TakeFrames();
  PressCell(kLeftButton, 17, 4);  // 90 is one past the page
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kRed, 4 * 18 + 17}}));
  bar().UserSetValue(2);
  PressCell(kLeftButton, 1, 0);  // tile 91
  TakeFrames();
  PressCell(kLeftButton, 5, 0);  // tile 95: 91 loses its frame on this page too
  EXPECT_EQ(TakeFrames(), (std::vector<Frame>{{kBlack, 1}, {kRed, 5}}));
}

}  // namespace
}  // namespace korvane
