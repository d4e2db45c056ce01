// Both Tiled writers report their progress after every 64 rows of the tile layer and after the
// last one, and nowhere else.

#include <gtest/gtest.h>

#include "formats/TmjExport.h"
#include "formats/TmxExport.h"

namespace korvane {
namespace {

TEST(ExportProgress, EverySixtyFourRowsAndTheLast) {
  const struct {
    int16_t height;
    std::vector<int64_t> reported;
  } rows[] = {{1, {1}},       {63, {63}},       {64, {64}},
              {65, {64, 65}}, {128, {64, 128}}, {129, {64, 128, 129}}};
  for (const auto writer : {&WriteTmj, &WriteTmx})
    for (const auto& row : rows) {
      MapDocument map;
      map.MapWidth = 2;
      map.MapHeight = row.height;
      map.MapTiles = TileLayer(*Grid16::TryCreate(2, row.height));
      map.OverlayData = *OverlayLayer::TryCreate(2, row.height);
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

}  // namespace
}  // namespace korvane
