#include <gtest/gtest.h>

#include <filesystem>

#include "document/MapFile.h"
#include "tests/document/DocumentFixture.h"

namespace korvane {
namespace {

using testing_document::MakeGrid;
using testing_document::MapBytes;
using testing_document::SmallMapBytes;

const MapFileContents& Contents(const MapFileParseResult& r) {
  return std::get<MapFileContents>(r);
}

TEST(MapFile, WritesTheWorkedExamplesByteForByte) {
  const Grid16 tiles = MakeGrid(2, 1, {5, 7});
  Grid16 overlay = MakeGrid(2, 1);
  EXPECT_EQ(SerializeMapFile(100, 200, tiles, overlay), SmallMapBytes());

  overlay.Set(1, 0, 3);
  const auto bytes = SerializeMapFile(100, 200, tiles, overlay);
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), 40u);
  const std::vector<uint8_t> tail(bytes->end() - 8, bytes->end());
  EXPECT_EQ(tail, (std::vector<uint8_t>{0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00}));
}

TEST(MapFile, RoundTripKeepsEverythingButEmptyOverlayCells) {
  MapFileContents in;
  in.width = 3;
  in.height = 2;
  in.humanResources = -100;
  in.computerResources = 70000;
  in.tiles = MakeGrid(3, 2, {0, 269, -5, 32767, -32768, 12});
  in.overlay = MakeGrid(3, 2, {4, 0, -2, 0, 9, -32768});
  const auto bytes = SerializeMapFile(in);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 30u + 2 * 6 + 6 * 2);

  const auto parsed = ParseMapFile(*bytes);
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed));
  const MapFileContents& out = Contents(parsed);
  EXPECT_EQ(out.width, 3);
  EXPECT_EQ(out.height, 2);
  EXPECT_EQ(out.humanResources, -100);
  EXPECT_EQ(out.computerResources, 70000);
  EXPECT_EQ(out.tiles, in.tiles);
  // Cells at 0 or below are not written, so they come back empty.
  EXPECT_EQ(out.overlay, MakeGrid(3, 2, {4, 0, 0, 0, 9, 0}));
  EXPECT_EQ(out.overlayEntries, 2);
  EXPECT_TRUE(out.HasStandardSignature());
}

TEST(MapFile, ReadsEntriesInAnyOrderKeepingTheLastAndStoringValuesAsRead) {
  auto bytes = MapBytes(2, 2, 0, 0, {1, 2, 3, 4}, {4, 1, 1, 8, 0, 0, 5, 1, 1, 9, 1, 0, -3});
  bytes.push_back(0xEE);  // bytes after the last entry are ignored
  const auto parsed = ParseMapFile(bytes);
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed));
  EXPECT_EQ(Contents(parsed).overlay, MakeGrid(2, 2, {5, -3, 0, 9}));
  EXPECT_EQ(Contents(parsed).tiles, MakeGrid(2, 2, {1, 2, 3, 4}));
}

TEST(MapFile, AcceptsAnySignatureAndCountsOfZeroOrBelow) {
  for (int count : {0, -1, -32768}) {
    auto bytes = MapBytes(1, 1, 0, 0, {6}, {count});
    bytes[15] = 0;
    const auto parsed = ParseMapFile(bytes);
    ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed)) << count;
    EXPECT_FALSE(Contents(parsed).HasStandardSignature());
    EXPECT_EQ(Contents(parsed).tiles.At(0, 0), 6);
    EXPECT_EQ(Contents(parsed).overlay.At(0, 0), 0);
    EXPECT_EQ(Contents(parsed).overlayEntries, count);
  }
}

// A folder of broken files, each refused with the offset of its first fault.
TEST(MapFile, RefusesBrokenFilesNamingTheFirstFault) {
  const std::vector<uint8_t> good = MapBytes(2, 1, 0, 0, {5, 7}, {1, 1, 0, 3});
  auto cut = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + n); };
  auto withEntry = [](int x, int y) { return MapBytes(2, 1, 0, 0, {5, 7}, {2, 0, 0, 1, x, y, 1}); };
  auto sized = [](int w, int h) { return MapBytes(w, h, 0, 0, {0}, {}); };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t offset;
  };
  const std::vector<Case> cases = {
      {"empty", {}, 0},
      {"inside the signature", cut(10), 0},
      {"inside the header", cut(20), 16},
      {"inside the tile layer", cut(30), 28},
      {"before the entry count", cut(32), 32},
      {"inside the entries", cut(39), 34},
      {"width 0", sized(0, 1), 16},
      {"negative width", sized(-2, 1), 16},
      {"height 0", sized(1, 0), 18},
      {"a 32767 x 32767 map in a tiny file", sized(32767, 32767), 28},
      {"entry x past the right edge", withEntry(2, 0), 40},
      {"entry y past the bottom", withEntry(0, 1), 40},
      {"entry at a negative x", withEntry(-1, 0), 40},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseMapFile(c.bytes);
    ASSERT_TRUE(std::holds_alternative<MapFileError>(parsed)) << c.what;
    const MapFileError& e = std::get<MapFileError>(parsed);
    EXPECT_EQ(e.offset, c.offset) << c.what << ": " << e.reason;
    EXPECT_FALSE(e.reason.empty());
    EXPECT_EQ(e.reason.back(), '.') << e.reason;
  }
  EXPECT_TRUE(std::holds_alternative<MapFileContents>(ParseMapFile(good)));
}

TEST(MapFile, WriterRefusesWhatTheCountCannotHold) {
  const Grid16 tiles = MakeGrid(200, 200);
  Grid16 overlay = MakeGrid(200, 200);
  auto& cells = overlay.Cells();
  std::fill(cells.begin(), cells.begin() + 32767, int16_t{1});
  EXPECT_TRUE(SerializeMapFile(0, 0, tiles, overlay));
  cells[32767] = 1;
  EXPECT_FALSE(SerializeMapFile(0, 0, tiles, overlay));
  // Layers of different shapes, or none at all, are not a map.
  EXPECT_FALSE(SerializeMapFile(0, 0, tiles, MakeGrid(200, 199)));
  EXPECT_FALSE(SerializeMapFile(0, 0, Grid16(), Grid16()));
}

TEST(MapFile, TheShippedDemoMapParses) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../examples/demo.map";
  const auto bytes = testing_document::ReadBytes(path);
  ASSERT_FALSE(bytes.empty()) << path;
  const auto parsed = ParseMapFile(bytes);
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed))
      << std::get<MapFileError>(parsed).reason;
  EXPECT_TRUE(Contents(parsed).HasStandardSignature());
  EXPECT_GT(Contents(parsed).overlayEntries, 0);
}

}  // namespace
}  // namespace korvane
