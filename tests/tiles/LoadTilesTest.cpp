#include <gtest/gtest.h>

#include <optional>

#include "tests/tiles/TilesFixture.h"
#include "tiles/TileGeometry.h"

namespace korvane::tiletest {
namespace {

using LoadTilesTest = TilesTest;

// The sample's width in HIMETRIC, as the headless loader reports 305 pixels.
constexpr int32_t kSampleWidth = 305 * 2540 / 96;

bool ShowsTheSample(LoadTiles& dialog) {
  return dialog.TileSize->Text() == "16" && dialog.TileSpacing->Text() == "1" &&
         dialog.TileOffset->Text() == "0" && dialog.Display->GetPicture() &&
         dialog.Display->GetPicture()->WidthHimetric() == kSampleWidth;
}

TEST_F(LoadTilesTest, OkAppliesTheSampleAndDiscardsTheDialog) {
  g().SelectedCount = 3;
  LoadTiles& dialog = editor.loadTiles();
  ASSERT_TRUE(ShowsTheSample(dialog));
  const toolkit::PicturePtr preview = dialog.Display->GetPicture();
  H(*dialog.OkLoad).Click();

  EXPECT_FALSE(editor.HasLoadTiles());
  EXPECT_EQ(g().TileSheet, preview);  // the same picture object, not a copy
  EXPECT_EQ(g().SelectedCount, 0);
  EXPECT_EQ(g().TileCount, 270);
  EXPECT_EQ(g().TwoPixelsY, 30);
  EXPECT_GT(H(*editor.mapView().Display).paintCount, 0);
  EXPECT_EQ(SheetColumns(g()), 18);
  EXPECT_EQ(SheetRows(g()), 15);
  EXPECT_EQ(TileSheetRect(g(), 19, 18), (TwipsRect{255, 255, 240, 240}));
}

struct Typed {
  const char* size;
  const char* spacing;
  const char* offset;
  std::optional<int16_t> size16;  // nullopt: refused
  int16_t spacing16 = 0;
  int16_t offset16 = 0;
};

class OkConversion : public TilesTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(OkConversion, ConvertsClampsOrRefusesLeavingEverything) {
  const Typed& typed = GetParam();
  ASSERT_TRUE(ApplySample());
  g().SelectedCount = 2;
  LoadTiles& dialog = editor.loadTiles();
  dialog.window->SetVisible(true);
  const bool applied = ApplySheet(typed.size, typed.spacing, typed.offset);
  EXPECT_EQ(applied, typed.size16.has_value());
  if (!applied) {
    ASSERT_TRUE(editor.HasLoadTiles());
    EXPECT_TRUE(dialog.window->Visible());
    EXPECT_EQ(dialog.TileSize->Text(), typed.size);
    EXPECT_EQ(g().TileSize, 16);
    EXPECT_EQ(g().TileSpacing, 1);
    EXPECT_EQ(g().SelectedCount, 2);
    return;
  }
  EXPECT_EQ(g().TileSize, *typed.size16);
  EXPECT_EQ(g().TileSpacing, typed.spacing16);
  EXPECT_EQ(g().TileOffset, typed.offset16);
  EXPECT_EQ(g().TileTwipsX, *typed.size16 * 15);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OkConversion,
    ::testing::Values(Typed{"16.5", "1", "0", 16, 1, 0}, Typed{"17.5", "1", "0", 18, 1, 0},
                      Typed{"0", "1", "0", 1, 1, 0}, Typed{"-3", "1", "0", 1, 1, 0},
                      Typed{"16", "-1", "0", 16, 0, 0}, Typed{"16", "1", "-7", 16, 1, 0},
                      Typed{"", "1", "0", std::nullopt}, Typed{"abc", "1", "0", std::nullopt},
                      Typed{"40000", "1", "0", std::nullopt},
                      Typed{"16", "1", "1e9", std::nullopt}));

struct Sheet {
  const char* size;
  const char* spacing;
  const char* offset;
  int32_t widthPx;
  int32_t heightPx;
  bool applied;
};

class GeometryModel : public TilesTest, public ::testing::WithParamInterface<Sheet> {};

TEST_P(GeometryModel, RefusesGeometryBeyondSixteenBits) {
  const Sheet& c = GetParam();
  ASSERT_TRUE(ApplySample());
  const toolkit::PicturePtr sample = g().TileSheet;
  EXPECT_EQ(ApplySheet(c.size, c.spacing, c.offset, Picture(c.widthPx, c.heightPx)), c.applied);
  EXPECT_EQ(g().TileSheet == sample, !c.applied);
  EXPECT_EQ(editor.HasLoadTiles(), !c.applied);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeometryModel,
    ::testing::Values(Sheet{"2184", "0", "0", 2200, 2200, true},    // a 32760-twip tile
                      Sheet{"2185", "0", "0", 2200, 2200, false},   // a 32775-twip tile
                      Sheet{"16", "0", "2185", 2300, 2300, false},  // offset
                      Sheet{"16", "2170", "0", 100, 100, false},    // pitch
                      Sheet{"16", "0", "0", 2184, 100, true},       // last tile ends at 32760
                      Sheet{"16", "0", "0", 2200, 100, false},      // ... and beyond
                      Sheet{"1", "0", "0", 181, 181, true},         // fewer than 32768 tiles
                      Sheet{"1", "0", "0", 200, 200, false},        // more
                      Sheet{"16", "1", "40", 30, 30, true}));       // no whole tile

TEST_F(LoadTilesTest, SheetWithoutAWholeTileHasAnEmptyPalette) {
  ASSERT_TRUE(ApplySheet("16", "1", "40", Picture(30, 30)));
  EXPECT_EQ(g().TileCount, 0);
  EXPECT_EQ(bar().Max(), 1);
  EXPECT_TRUE(surface().CallsOf(DrawCall::Kind::PaintPicture).empty());
}

TEST_F(LoadTilesTest, PreviewChangesOnlyWithALoadedPicture) {
  tk.pictures["/empty.bmp"] = Picture(0, 0);
  tk.pictures["/tiles.bmp"] = Picture(169, 169);
  tk.fileAnswers = {std::nullopt, "/missing.bmp", "/empty.bmp", "/tiles.bmp"};
  LoadTiles& dialog = editor.loadTiles();
  const toolkit::PicturePtr sample = dialog.Display->GetPicture();

  H(*dialog.LoadPic).Click();  // cancelled
  H(*dialog.LoadPic).Click();  // no picture there
  EXPECT_EQ(dialog.Display->GetPicture(), sample);
  EXPECT_EQ(tk.fileDialogsShown[0].mode, toolkit::FileDialogMode::Open);
  EXPECT_EQ(tk.fileDialogsShown[0].filter, "Windows Bitmap (*.bmp)|*.bmp");
  EXPECT_EQ(tk.fileDialogsShown[0].flags, 4);

  H(*dialog.LoadPic).Click();  // an empty picture: Ok refuses it
  EXPECT_FALSE(dialog.OkLoad_Click());
  EXPECT_EQ(g().TileSize, 0);
  H(*dialog.LoadPic).Click();
  EXPECT_TRUE(dialog.OkLoad_Click());
  EXPECT_EQ(g().TileSheet, tk.pictures["/tiles.bmp"]);
  EXPECT_EQ(g().TileCount, 100);
  EXPECT_TRUE(tk.messagesAsked.empty());
}

TEST_F(LoadTilesTest, ReopeningShowsTheSampleAgain) {
  ASSERT_TRUE(ApplySheet("8", "0", "2", Picture(169, 169)));
  LoadTiles& again = editor.loadTiles();
  EXPECT_TRUE(ShowsTheSample(again));
  EXPECT_TRUE(again.OkLoad_Click());
  EXPECT_EQ(g().TileCount, 270);
}

TEST_F(LoadTilesTest, CancelAndClosingLeaveTheAppliedSheet) {
  ASSERT_TRUE(ApplySample());
  g().SelectedCount = 1;
  const toolkit::PicturePtr sheet = g().TileSheet;
  editor.loadTiles().TileSize->SetText("8");
  editor.loadTiles().Display->SetPicture(Picture(64, 64));
  H(*editor.loadTiles().CancelLoad).Click();
  EXPECT_FALSE(editor.HasLoadTiles());
  editor.loadTiles().TileSize->SetText("8");
  H(*editor.loadTiles().window).UserClose();
  EXPECT_FALSE(editor.HasLoadTiles());
  EXPECT_EQ(g().TileSize, 16);
  EXPECT_EQ(g().TileSheet, sheet);
  EXPECT_EQ(g().SelectedCount, 1);
}

TEST_F(LoadTilesTest, CheckBitmapAppliesQuietlyOrShowsTheDialog) {
  LoadTiles& dialog = editor.loadTiles();
  dialog.TileSpacing->SetText("wide");
  dialog.CheckBitmap();
  ASSERT_TRUE(editor.HasLoadTiles());
  EXPECT_TRUE(dialog.window->Visible());
  EXPECT_EQ(g().TileSize, 0);

  editor.DiscardLoadTiles();
  editor.loadTiles().CheckBitmap();
  EXPECT_FALSE(editor.HasLoadTiles());
  EXPECT_EQ(g().TileCount, 270);
  EXPECT_EQ(palette().PageCols, 18);  // the palette is fitted to the sheet
}

TEST_F(LoadTilesTest, OkWhileThePaletteIsClosedStillAppliesTheSheet) {
  ASSERT_TRUE(editor.UnloadTileView());
  ASSERT_TRUE(ApplySample());
  ASSERT_TRUE(editor.HasTileView());
  EXPECT_EQ(g().TileSize, 16);
  EXPECT_EQ(g().TileTwipsX, 240);
  EXPECT_EQ(g().TileCount, 270);
}

}  // namespace
}  // namespace korvane::tiletest
