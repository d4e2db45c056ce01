#include <gtest/gtest.h>

#include <cstdlib>

#include "tiles/SampleSheet.h"

namespace korvane {
namespace {

using toolkit::Color;

TEST(SampleSheet, OnlyTheSeparatorsAndMarginsAreWhite) {
  const toolkit::RgbImage sheet = MakeSampleSheet();
  ASSERT_EQ(sheet.width, 305);
  ASSERT_EQ(sheet.height, 256);
  ASSERT_EQ(sheet.pixels.size(), 305u * 256u);
  for (int y = 0; y < sheet.height; ++y)
    for (int x = 0; x < sheet.width; ++x) {
      const bool inTile = x % 17 < 16 && y % 17 < 16 && y < 15 * 17;
      ASSERT_EQ(sheet.At(x, y) == Color(255, 255, 255), !inTile) << x << "," << y;
    }
}

TEST(SampleSheet, EveryTwoTilesDifferClearly) {
  // Unequal is not enough to tell tiles apart at a glance: every two must differ by more than
  // the faint grain can in at least a sixteenth of their pixels.
  const toolkit::RgbImage sheet = MakeSampleSheet();
  auto pixel = [&](int t, int i, int j) { return sheet.At(t % 18 * 17 + i, t / 18 * 17 + j); };
  for (int a = 0; a < 270; ++a)
    for (int b = a + 1; b < 270; ++b) {
      int clear = 0;
      for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
          const Color p = pixel(a, i, j), q = pixel(b, i, j);
          clear += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 40;
        }
      ASSERT_GE(clear, 16) << "tiles " << a << " and " << b;
    }
}

}  // namespace
}  // namespace korvane
