#include <sys/stat.h>
#include <unistd.h>

#include "document/MapFile.h"
#include "overlay/DatView.h"
#include "tests/document/DocumentFixture.h"
#include "tiles/LoadTiles.h"
#include "tiles/TileView.h"

namespace korvane {
namespace {

using testing_document::MakeGrid;
using testing_document::MapBytes;
using testing_document::ReadBytes;
using testing_document::SmallMapBytes;
using testing_document::WriteBytes;

class SaveNowTest : public testing_document::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), Path("old.map"), 1);
    view().HumanResources = 100;
    view().ComputerResources = 200;
    WriteBytes(Path("old.map"), std::vector<uint8_t>(100, 0xAB));
  }
  // The document as a failed save must leave it.
  void ExpectUnsaved() {
    EXPECT_EQ(view().MapChanged, 1);
    EXPECT_EQ(view().CurrentMapFile, Path("old.map"));
    EXPECT_EQ(Caption(), "old - Korvane");
  }
};

TEST_F(SaveNowTest, WritesTheFileAndMarksTheMapSaved) {
  ASSERT_TRUE(view().SaveNow(Path("island.map")));
  EXPECT_EQ(ReadBytes(Path("island.map")), SmallMapBytes());
  EXPECT_EQ(view().MapChanged, 0);
  EXPECT_EQ(view().CurrentMapFile, Path("island.map"));
  EXPECT_EQ(Caption(), "island - Korvane");
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"island.map", "old.map"}));
}

TEST_F(SaveNowTest, OverwritingALongerFileLeavesNoTrailingBytes) {
  view().OverlayData.Set(1, 0, 3);
  ASSERT_TRUE(view().SaveNow(view().CurrentMapFile));
  EXPECT_EQ(ReadBytes(Path("old.map")).size(), 40u);
}

TEST_F(SaveNowTest, WithoutAMapWritesAndDeletesNothing) {
  view().MapWidth = 0;
  EXPECT_FALSE(view().SaveNow(Path("old.map")));
  EXPECT_EQ(ReadBytes(Path("old.map")), std::vector<uint8_t>(100, 0xAB));
  EXPECT_EQ(tk.files.operations, 0);
  ExpectUnsaved();
}

// Whichever step of writing fails, the previous file stays whole and no temporary file is left.
TEST_F(SaveNowTest, AFailureAtAnyStepKeepsTheOldFile) {
  ASSERT_TRUE(view().SaveNow(Path("probe.map")));
  const int steps = tk.files.operations;
  ASSERT_GE(steps, 4);
  std::filesystem::remove(Path("probe.map"));
  SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), Path("old.map"), 1);
  for (int n = 0; n < steps; ++n) {
    tk.files.operations = 0;
    tk.files.failAt = n;
    EXPECT_FALSE(view().SaveNow(Path("old.map"))) << tk.files.log[n];
    EXPECT_EQ(ReadBytes(Path("old.map")), std::vector<uint8_t>(100, 0xAB)) << n;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"old.map"}) << n;
    ExpectUnsaved();
  }
}

TEST_F(SaveNowTest, AReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  ASSERT_EQ(::chmod(maps.c_str(), 0555), 0);
  EXPECT_FALSE(view().SaveNow(Path("old.map")));
  ::chmod(maps.c_str(), 0755);
  EXPECT_EQ(ReadBytes(Path("old.map")), std::vector<uint8_t>(100, 0xAB));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"old.map"});
  ExpectUnsaved();
}

TEST_F(SaveNowTest, TooManyOverlayObjectsFailWithoutTouchingTheDisk) {
  SetMap(MakeGrid(200, 200), MakeGrid(200, 200), Path("old.map"), 1);
  std::fill(view().OverlayData.Cells().begin(), view().OverlayData.Cells().end(), int16_t{2});
  EXPECT_FALSE(view().SaveNow(Path("old.map")));
  EXPECT_EQ(tk.files.operations, 0);
  ExpectUnsaved();
}

class LoadMapTest : public testing_document::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    SetUpTileSheet();
    SetMap(MakeGrid(3, 1, {1, 2, 3}), MakeGrid(3, 1, {0, 4, 0}), Path("current.map"), 1);
    view().HumanResources = 11;
    view().ComputerResources = 22;
    // Overlay mode, which every load ends.
    editor.tileView().window->SetVisible(false);
    editor.datView().window->SetVisible(true);
    view().EditMode = 1;
  }
  void ExpectTileMode() {
    EXPECT_TRUE(editor.TileViewVisible());
    EXPECT_FALSE(editor.DatViewVisible());
    EXPECT_EQ(view().EditMode, 0);
  }
  void ExpectDocumentUnchanged() {
    EXPECT_EQ(view().MapWidth, 3);
    EXPECT_EQ(view().MapHeight, 1);
    EXPECT_EQ(view().MapTiles.Tiles(), MakeGrid(3, 1, {1, 2, 3}));
    EXPECT_EQ(view().OverlayData, MakeGrid(3, 1, {0, 4, 0}));
    EXPECT_EQ(view().HumanResources, 11);
    EXPECT_EQ(view().ComputerResources, 22);
    EXPECT_EQ(view().MapChanged, 1);
    EXPECT_EQ(view().CurrentMapFile, Path("current.map"));
    EXPECT_EQ(Caption(), "current - Korvane");
  }
};

TEST_F(LoadMapTest, ReadsTheWholeDocumentAndRepaints) {
  auto bytes = SmallMapBytes();
  bytes[0] = 0x99;  // another signature loads all the same
  WriteBytes(Path("small.map"), bytes);
  auto& display = headless::H(*view().Display);
  const int paints = display.paintCount;
  view().LoadMap(Path("small.map"));
  EXPECT_EQ(view().MapWidth, 2);
  EXPECT_EQ(view().MapHeight, 1);
  EXPECT_EQ(view().MapTiles.Tiles(), MakeGrid(2, 1, {5, 7}));
  EXPECT_EQ(view().MapTiles.UndoTiles(), view().MapTiles.Tiles());
  EXPECT_EQ(view().OverlayData, MakeGrid(2, 1));
  EXPECT_EQ(view().HumanResources, 100);
  EXPECT_EQ(view().ComputerResources, 200);
  EXPECT_EQ(view().MapChanged, 0);
  EXPECT_EQ(view().CurrentMapFile, Path("small.map"));
  EXPECT_EQ(Caption(), "small - Korvane");
  EXPECT_GT(display.paintCount, paints);
  ExpectTileMode();
}

TEST_F(LoadMapTest, WithoutATileSheetAppliesTheSampleSheet) {
  WriteBytes(Path("small.map"), SmallMapBytes());
  editor.Global().TileSize = 0;
  editor.Global().TileSheet = nullptr;
  view().LoadMap(Path("small.map"));
  EXPECT_EQ(view().MapWidth, 2);
  // The tile-sheet dialog's sample sheet has been applied without showing the dialog.
  EXPECT_EQ(editor.Global().TileSize, 16);
  EXPECT_NE(editor.Global().TileSheet, nullptr);
  EXPECT_FALSE(editor.HasLoadTiles() && editor.loadTiles().window->Visible());
}

// The command-line name is given up before the pending events run, so it loads only once.
TEST_F(LoadMapTest, EmptiesTheStartupNameFirstEvenWhenGivenIt) {
  WriteBytes(Path("small.map"), SmallMapBytes());
  view().StartupMapFile = Path("small.map");
  bool emptyDuringEvents = false;
  tk.onDoEvents = [&] { emptyDuringEvents = view().StartupMapFile.empty(); };
  view().LoadMap(view().StartupMapFile);
  EXPECT_TRUE(emptyDuringEvents);
  EXPECT_EQ(tk.doEventsCount, 1);
  EXPECT_EQ(view().CurrentMapFile, Path("small.map"));
}

TEST_F(LoadMapTest, AMissingFileIsNotCreatedAndChangesNothing) {
  view().StartupMapFile = "waiting";
  view().LoadMap(Path("missing.map"));
  EXPECT_FALSE(std::filesystem::exists(Path("missing.map")));
  EXPECT_TRUE(view().StartupMapFile.empty());
  ExpectDocumentUnchanged();
  ExpectTileMode();
}

TEST_F(LoadMapTest, ABrokenFileChangesNothing) {
  const auto good = MapBytes(2, 1, 5, 6, {5, 7}, {1, 1, 0, 3});
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> files = {
      {"truncated in the tile layer", {good.begin(), good.begin() + 30}},
      {"truncated in an entry", {good.begin(), good.begin() + 38}},
      {"entry outside the map", MapBytes(2, 1, 5, 6, {5, 7}, {1, 2, 0, 3})},
      {"width 0", MapBytes(0, 1, 5, 6, {}, {0})},
      {"empty", {}},
  };
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    WriteBytes(Path("broken.map"), bytes);
    view().LoadMap(Path("broken.map"));
    ExpectDocumentUnchanged();
    ExpectTileMode();
  }
}

}  // namespace
}  // namespace korvane
