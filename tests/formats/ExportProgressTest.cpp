// Both Tiled writers report their progress after every 64 rows of the tile layer and after the
// last one, and nowhere else; a write that fails is their last, and none is empty.

#include <gtest/gtest.h>

#include "formats/TmjExport.h"
#include "formats/TmxExport.h"

namespace korvane {
namespace {

MapDocument Blank(int16_t height) {
  MapDocument map;
  map.MapWidth = 2;
  map.MapHeight = height;
  map.MapTiles = TileLayer(*Grid16::TryCreate(2, height));
  map.OverlayData = *OverlayLayer::TryCreate(2, height);
  return map;
}

TEST(ExportProgress, EverySixtyFourRowsAndTheLast) {
  const struct {
    int16_t height;
    std::vector<int64_t> reported;
  } rows[] = {{1, {1}},       {63, {63}},       {64, {64}},
              {65, {64, 65}}, {128, {64, 128}}, {129, {64, 128, 129}}};
  for (const auto writer : {&WriteTmj, &WriteTmx})
    for (const auto& row : rows) {
      const MapDocument map = Blank(row.height);
      TmjExport input;
      input.map = &map;
      std::vector<int64_t> reported;
      ASSERT_TRUE(writer(
          input, [](std::string_view) { return true; },
          [&](int64_t done, int64_t total) {
            EXPECT_EQ(total, row.height);
            reported.push_back(done);
          }));
      EXPECT_EQ(reported, row.reported) << row.height;
    }
}

// The text goes out in blocks of 64 KiB, the last one shorter.
TEST(ExportProgress, WritesInBlocksAndAFailedWriteIsTheLast) {
  const MapDocument map = Blank(20000);
  TmjExport input;
  input.map = &map;
  for (const auto writer : {&WriteTmj, &WriteTmx})
    for (const size_t failing : {1, 2, 0}) {
      std::vector<size_t> sizes;
      const bool written = writer(
          input,
          [&](std::string_view s) { return sizes.push_back(s.size()), sizes.size() != failing; },
          nullptr);
      EXPECT_EQ(std::pair(written, sizes.size() == failing), std::pair(failing == 0, failing > 0));
      for (size_t i = 0; i < sizes.size(); ++i)
        EXPECT_TRUE(i + 1 < sizes.size() ? sizes[i] >= 65536 && sizes[i] < 65536 + 4096
                                         : sizes[i] > 0 && sizes[i] <= 65536 + 4096);
    }
}

}  // namespace
}  // namespace korvane
