#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "document/MapFile.h"
#include "tests/document/DocumentFixture.h"

namespace korvane {
namespace {

using testing_document::MakeGrid;
using testing_document::MapBytes;

TEST(MapFile, WritesTheWorkedExamplesByteForByte) {
  const Grid16 tiles = MakeGrid(2, 1, {5, 7});
  const auto plain = SerializeMapFile(100, 200, tiles, MakeGrid(2, 1));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->size(), 34u);
  EXPECT_EQ(*plain, MapBytes(2, 1, 100, 200, {5, 7}, {0}));
  const auto withObject = SerializeMapFile(100, 200, tiles, MakeGrid(2, 1, {0, 3}));
  ASSERT_TRUE(withObject);
  EXPECT_EQ(withObject->size(), 40u);
  EXPECT_EQ(*withObject, MapBytes(2, 1, 100, 200, {5, 7}, {1, 1, 0, 3}));
}

// The entry count is 16-bit: one object more than it holds makes the map unsaveable.
TEST(MapFile, WriterRefusesMoreObjectsThanTheCountHolds) {
  Grid16 overlay = MakeGrid(200, 200);
  std::fill(overlay.Cells().begin(), overlay.Cells().begin() + 32767, int16_t{1});
  EXPECT_TRUE(SerializeMapFile(0, 0, MakeGrid(200, 200), overlay));
  overlay.Cells()[32767] = 1;
  EXPECT_FALSE(SerializeMapFile(0, 0, MakeGrid(200, 200), overlay));
}

TEST(MapFile, TheShippedDemoMapParses) {
  const auto path = std::filesystem::path(KORVANE_DEMO_MAP);
  const auto bytes = testing_document::ReadBytes(path);
  ASSERT_FALSE(bytes.empty()) << path;
  const auto parsed = ParseMapFile(bytes);
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed))
      << std::get<MapFileError>(parsed).reason;
  EXPECT_TRUE(std::get<MapFileContents>(parsed).HasStandardSignature());
  EXPECT_GT(std::get<MapFileContents>(parsed).overlayEntries, 0);
}

}  // namespace
}  // namespace korvane
