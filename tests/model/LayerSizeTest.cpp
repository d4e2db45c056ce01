#include <gtest/gtest.h>

#include "model/Grid16.h"
#include "model/OverlayLayer.h"

namespace korvane {
namespace {

// A layer has at least one cell each way; the cells inside are exactly the rectangle.
TEST(LayerSize, BothSidesAtLeastOneAndContainsWalksTheEdges) {
  for (const auto& [w, h] : {std::pair{0, 1}, {1, 0}, {0, 0}, {-1, 5}, {5, -1}}) {
    EXPECT_FALSE(Grid16::TryCreate(w, h)) << w << " x " << h;
    EXPECT_FALSE(OverlayLayer::TryCreate(w, h)) << w << " x " << h;
  }
  // The overlay is kept sparse: any size a map may have, and none beyond.
  EXPECT_TRUE(OverlayLayer::TryCreate(32767, 32767));
  EXPECT_FALSE(OverlayLayer::TryCreate(32768, 1));
  EXPECT_FALSE(OverlayLayer::TryCreate(1, 32768));
  const auto grid = Grid16::TryCreate(3, 1);
  ASSERT_TRUE(grid);
  // clang-format off
  for (const auto& [x, y, inside] : {std::tuple{0, 0, true}, {2, 0, true}, {3, 0, false},
                                     {-1, 0, false}, {0, 1, false}, {0, -1, false}})
    EXPECT_EQ(grid->Contains(x, y), inside) << x << "," << y;
  // clang-format on
}

}  // namespace
}  // namespace korvane
