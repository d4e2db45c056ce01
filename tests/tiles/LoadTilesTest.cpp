#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/tiles/TilesFixture.h"
#include "tiles/TileGeometry.h"

namespace korvane::tiletest {
namespace {

using LoadTilesTest = TilesTest;

bool ShowsTheSample(LoadTiles& dialog) {
  // The sample's width in HIMETRIC, as the headless loader reports 305 pixels.
  return dialog.TileSize->Text() == "16" && dialog.TileSpacing->Text() == "1" &&
         dialog.TileOffset->Text() == "0" && dialog.Display->GetPicture() &&
         dialog.Display->GetPicture()->WidthHimetric() == 305 * 2540 / 96;
}

TEST_F(LoadTilesTest, OkAppliesTheSampleAndFitsThePaletteToIt) {
  g().SelectedCount = 3;
  LoadTiles& dialog = editor->loadTiles();
  ASSERT_TRUE(ShowsTheSample(dialog));
  const toolkit::PicturePtr preview = dialog.Display->GetPicture();
  H(*dialog.OkLoad).Click();
  EXPECT_FALSE(editor->HasLoadTiles());
  EXPECT_EQ(g().TileSheet, preview);  // the same picture object, not a copy
  EXPECT_EQ(g().SelectedCount, 0);
  EXPECT_EQ(g().TileCount, 270);
  EXPECT_EQ(SheetColumns(g()), 18);
  EXPECT_EQ(SheetRows(g()), 15);
  EXPECT_EQ(TileSheetRect(g(), 19, 18), (TwipsRect{255, 255, 240, 240}));
  // The palette is fitted to the sheet's 18 columns and shows it all on one page.
  EXPECT_EQ(palette().PageCols, 18);
  EXPECT_EQ(bar().Max(), 1);
  EXPECT_FALSE(bar().Enabled());
}

TEST_F(LoadTilesTest, OkConvertsClampsOrRefusesTheTypedGeometry) {
  const struct {
    const char *size, *spacing, *offset;
    int16_t tileSize, tileSpacing, tileOffset;  // a size of 0: refused
  } cases[] = {{"16.5", "1", "0", 16, 1, 0}, {"17.5", "1", "0", 18, 1, 0},
               {"0", "1", "0", 1, 1, 0},     {"-3", "1", "0", 1, 1, 0},
               {"16", "-1", "0", 16, 0, 0},  {"16", "1", "-7", 16, 1, 0},
               {"", "1", "0", 0, 0, 0},      {"abc", "1", "0", 0, 0, 0},
               {"40000", "1", "0", 0, 0, 0}, {"16", "1", "1e9", 0, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.size) + " / " + c.spacing + " / " + c.offset);
    ASSERT_TRUE(ApplySample());
    g().SelectedCount = 2;
    LoadTiles& dialog = editor->loadTiles();
    dialog.window->SetVisible(true);
    EXPECT_EQ(ApplySheet(c.size, c.spacing, c.offset), c.tileSize != 0);
    const auto now = std::tuple(g().TileSize, g().TileSpacing, g().TileOffset, g().SelectedCount);
    if (c.tileSize == 0) {  // everything stays, the dialog too
      EXPECT_EQ(now, std::tuple(16, 1, 0, 2));
      ASSERT_TRUE(editor->HasLoadTiles());
      EXPECT_TRUE(dialog.window->Visible());
      EXPECT_EQ(dialog.TileSize->Text(), c.size);
    } else {
      EXPECT_EQ(now, std::tuple(c.tileSize, c.tileSpacing, c.tileOffset, 0));
      EXPECT_EQ(g().TileTwipsX, c.tileSize * 15);
    }
  }
  // Cancel, or closing the dialog, leaves the applied sheet whatever the dialog holds.
  const toolkit::PicturePtr sheet = g().TileSheet;
  for (const bool cancel : {true, false}) {
    LoadTiles& dialog = editor->loadTiles();
    dialog.Display->SetPicture(Picture(64, 64));
    if (cancel) {
      H(*dialog.CancelLoad).Click();
    } else {
      H(*dialog.window).UserClose();
    }
    EXPECT_FALSE(editor->HasLoadTiles());
    EXPECT_EQ(std::tuple(g().TileSize, g().TileSpacing, g().SelectedCount), std::tuple(16, 1, 2));
    EXPECT_EQ(g().TileSheet, sheet);
  }
}

// Tile numbers and twips are 16-bit: a sheet whose tiles or positions do not fit is refused, and
// the applied sheet stays.
TEST_F(LoadTilesTest, RefusesGeometryBeyondSixteenBits) {
  const struct {
    const char *size, *spacing, *offset;
    int32_t widthPx, heightPx, tiles;  // tiles -1: refused
  } cases[] = {
      {"2184", "0", "0", 2200, 2200, 1},     // a 32760-twip tile
      {"2185", "0", "0", 2200, 2200, -1},    // a 32775-twip tile
      {"16", "0", "2185", 2300, 2300, -1},   // offset
      {"16", "2170", "0", 100, 100, -1},     // pitch
      {"16", "0", "0", 2184, 100, 816},      // the last tile ends at 32760
      {"16", "0", "0", 2200, 100, -1},       // ... and beyond
      {"1", "0", "0", 168, 168, 168 * 168},  // fewer than 32768 tiles
      {"1", "0", "0", 200, 200, -1},         // more
      {"16", "1", "40", 30, 30, 0},          // no whole tile
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.size) + " / " + c.spacing + " / " + c.offset);
    // A fresh picture each time, as the dialog may still show the last refused one.
    ASSERT_TRUE(ApplySheet("16", "1", "0", Picture(305, 256)));
    const toolkit::PicturePtr sample = g().TileSheet;
    EXPECT_EQ(ApplySheet(c.size, c.spacing, c.offset, Picture(c.widthPx, c.heightPx)),
              c.tiles >= 0);
    EXPECT_EQ(g().TileSheet == sample, c.tiles < 0);
    EXPECT_EQ(g().TileCount, c.tiles >= 0 ? c.tiles : 270);
  }
}

TEST_F(LoadTilesTest, PreviewChangesOnlyWithALoadedPictureAndReopensWithTheSample) {
  tk.pictures["/empty.bmp"] = Picture(0, 0);
  tk.pictures["/tiles.bmp"] = Picture(169, 169);
  tk.fileAnswers = {std::nullopt, "/missing.bmp", "/empty.bmp", "/tiles.bmp"};
  LoadTiles& dialog = editor->loadTiles();
  const toolkit::PicturePtr sample = dialog.Display->GetPicture();
  H(*dialog.LoadPic).Click();  // cancelled
  H(*dialog.LoadPic).Click();  // no picture there
  EXPECT_EQ(dialog.Display->GetPicture(), sample);
  H(*dialog.LoadPic).Click();  // an empty picture: Ok refuses it
  EXPECT_FALSE(dialog.OkLoad_Click());
  EXPECT_EQ(g().TileSize, 0);
  H(*dialog.LoadPic).Click();
  ASSERT_TRUE(ApplySheet("8", "0", "2"));
  EXPECT_EQ(g().TileSheet, tk.pictures["/tiles.bmp"]);
  EXPECT_EQ(g().TileCount, 20 * 20);
  EXPECT_TRUE(tk.messagesAsked.empty());
  EXPECT_TRUE(tk.failuresReported.empty());  // a refused picture stays silent
  // The dialog opens anew with the sample, which Ok applies again.
  EXPECT_TRUE(ShowsTheSample(editor->loadTiles()));
  EXPECT_TRUE(editor->loadTiles().OkLoad_Click());
  EXPECT_EQ(g().TileCount, 270);
}

}  // namespace
}  // namespace korvane::tiletest
