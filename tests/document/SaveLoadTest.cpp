#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <optional>
#include <vector>

#include "document/MapFile.h"
#include "tests/document/DocumentFixture.h"
#include "tests/support/Unprivileged.h"

namespace korvane {
namespace {

using testing_document::MakeGrid;
using testing_document::MapBytes;
using testing_document::ReadBytes;
using testing_document::WriteBytes;

// An unsaved 3 x 2 map from old.map, whose file on the disk is longer than the map.
class SaveNowTest : public testing_document::DocumentTest {
 protected:
  SaveNowTest() {
    SetMap(MakeGrid(3, 2, {0, 269, -5, 32767, -32768, 12}), MakeGrid(3, 2, {4, 0, -2, 0, 9, -1}),
           Path("old.map"), 1);
    view().HumanResources = -100;
    view().ComputerResources = 70000;
    WriteBytes(Path("old.map"), std::vector<uint8_t>(100, 0xAB));
  }
  // The document and the disk as a failed save must leave them.
  void ExpectNothingSaved(const auto& before) {
    EXPECT_EQ(State(), before);
    EXPECT_EQ(ReadBytes(Path("old.map")), std::vector<uint8_t>(100, 0xAB));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")), {}), 1);  // no temp file
  }
};

TEST_F(SaveNowTest, RoundTripKeepsEverythingButObjectsOfZeroOrBelow) {
  ASSERT_TRUE(view().SaveNow(Path("old.map")));
  EXPECT_EQ(ReadBytes(Path("old.map")).size(), 30u + 2 * 6 + 6 * 2);  // nothing of the old file
  EXPECT_EQ(view().MapChanged, 0);
  SetMap(MakeGrid(1, 1), MakeGrid(1, 1), Path("other.map"), 1);
  view().LoadMap(Path("old.map"));
  EXPECT_EQ(view().MapTiles.Tiles(), MakeGrid(3, 2, {0, 269, -5, 32767, -32768, 12}));
  EXPECT_EQ(view().OverlayData, MakeGrid(3, 2, {4, 0, 0, 0, 9, 0}));
  EXPECT_EQ(view().HumanResources, -100);
  EXPECT_EQ(view().ComputerResources, 70000);
}

// Whichever step of writing fails, the previous file stays whole, no temporary file is left and
// the designer is told why, once.
TEST_F(SaveNowTest, AFailureAtAnyStepKeepsTheOldFile) {
  tk.files.operations = 0;
  ASSERT_TRUE(view().SaveNow(Path("probe.map")));
  const int steps = tk.files.operations;
  ASSERT_GE(steps, 4);
  std::filesystem::remove(Path("probe.map"));
  SetMap(view().MapTiles.Tiles(), view().OverlayData, Path("old.map"), 1);
  const auto before = State();
  for (int n = 0; n < steps; ++n) {
    SCOPED_TRACE(n);
    tk.files.operations = 0;
    tk.files.failAt = n;
    tk.failuresReported.clear();
    EXPECT_FALSE(view().SaveNow(Path("old.map")));
    EXPECT_EQ(
        tk.failuresReported,
        std::vector<std::string>{"The map could not be saved to \"" + Path("old.map") +
                                 "\": " + headless::FaultyFileSystem::kInjectedFailure + "."});
    ExpectNothingSaved(before);
  }
}

TEST_F(SaveNowTest, AReadOnlyFolderKeepsTheOldFileAndSaysWhy) {
  const auto before = State();
  ASSERT_EQ(::chmod(Folder().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(Path("").c_str(), 0555), 0);
  testing_support::AsUnprivilegedUser([&] {
    EXPECT_FALSE(view().SaveNow(Path("old.map")));
    EXPECT_EQ(tk.failuresReported,
              std::vector<std::string>{"The map could not be saved to \"" + Path("old.map") +
                                       "\": permission denied."});
    ExpectNothingSaved(before);
  });
  ::chmod(Path("").c_str(), 0755);
}

// An unsaved 3 x 1 map from current.map, in overlay mode, which every load ends.
class LoadMapTest : public testing_document::DocumentTest {
 protected:
  LoadMapTest() {
    SetMap(MakeGrid(3, 1, {1, 2, 3}), MakeGrid(3, 1, {0, 4, 0}), Path("current.map"), 1);
    view().HumanResources = 11;
  }
  void LoadInOverlayMode(const std::string& file) {
    view().MENU_DATA_VIEW_Click();
    ASSERT_EQ(view().EditMode, 1);
    view().StartupMapFile = "waiting";  // every load gives up a name waiting from the command line
    view().LoadMap(file);
    EXPECT_TRUE(editor->TileViewVisible());
    EXPECT_FALSE(editor->DatViewVisible());
    EXPECT_EQ(view().EditMode, 0);
    EXPECT_TRUE(view().StartupMapFile.empty());
  }
};

TEST_F(LoadMapTest, ReadsEntriesInAnyOrderWhateverTheSignature) {
  // The later of two entries for one cell wins, and values are stored as read.
  auto bytes = MapBytes(2, 2, 100, 200, {1, 2, 3, 4}, {4, 1, 1, 8, 0, 0, 5, 1, 1, 9, 1, 0, -3});
  bytes[0] = 0x99;
  WriteBytes(Path("small.map"), bytes);
  global().TileSize = 0;  // no sheet yet: the sample sheet is applied
  const int paints = display().paintCount;
  LoadInOverlayMode(Path("small.map"));
  EXPECT_EQ(State(), std::tuple(2, 2, MakeGrid(2, 2, {1, 2, 3, 4}), MakeGrid(2, 2, {5, -3, 0, 9}),
                                100, 200, 0, Path("small.map"), "small - Korvane"));
  EXPECT_EQ(view().MapTiles.UndoTiles(), view().MapTiles.Tiles());
  EXPECT_EQ(global().TileSize, 16);
  EXPECT_GT(display().paintCount, paints);
}

// Each says why, once; a FIFO is refused at once rather than waited on.
TEST_F(LoadMapTest, AMissingBrokenOrSpecialFileChangesNothingAndSaysWhy) {
  const auto good = MapBytes(2, 1, 5, 6, {5, 7}, {1, 1, 0, 3});
  const std::string file = Path("broken.map");
  const std::string opened = "The map \"" + file + "\" could not be opened: ";
  const std::string notAMap = "The file \"" + file + "\" is not a map that Korvane can open. ";
  struct Case {
    const char* what;
    std::optional<std::vector<uint8_t>> bytes;  // none: no file, or a FIFO
    std::string message;
  };
  const std::vector<Case> cases = {
      {"missing", std::nullopt, opened + "there is no such file."},
      {"fifo", std::nullopt, opened + "it is a FIFO (named pipe), not a regular file."},
      {"truncated in the tile layer", std::vector<uint8_t>(good.begin(), good.begin() + 30),
       notAMap + "At byte 28: The file ends inside the tile layer of 2 x 1 tiles: 4 bytes are "
                 "needed but only 2 remain."},
      {"truncated in an entry", std::vector<uint8_t>(good.begin(), good.begin() + 38),
       notAMap + "At byte 34: The file ends inside the 1 overlay entries: 6 bytes are needed but "
                 "only 4 remain."},
      {"entry outside the map", MapBytes(2, 1, 5, 6, {5, 7}, {1, 2, 0, 3}),
       notAMap + "At byte 34: Overlay entry 1 lies at (2, 0), outside the 2 x 1 map."},
      {"width 0", MapBytes(0, 1, 5, 6, {}, {0}),
       notAMap + "At byte 16: The map width is 0 but must be at least 1."},
  };
  const auto before = State();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tk.failuresReported.clear();
    std::filesystem::remove(file);
    if (c.bytes) WriteBytes(file, *c.bytes);
    const bool fifo = std::string(c.what) == "fifo";
    if (fifo) {
      ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    }
    ::alarm(10);  // a load that waits for a writer would hang the test
    LoadInOverlayMode(file);
    ::alarm(0);
    EXPECT_EQ(std::filesystem::exists(file), c.bytes || fifo);  // never created
    EXPECT_EQ(tk.failuresReported, std::vector<std::string>{c.message});
    EXPECT_EQ(State(), before);
  }
}

}  // namespace
}  // namespace korvane
