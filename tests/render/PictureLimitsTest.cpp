#include <gtest/gtest.h>

#include "render/MapPicture.h"

namespace korvane {
namespace {

// Each limit at its last value inside and its first outside, on either side of the picture.
TEST(PictureLimits, ThePictureMayReachEachLimitButNotPassIt) {
  const PictureLimits limits{100, 4 * 100 * 50};
  const struct {
    int64_t width, height;
    bool fits;
  } rows[] = {{100, 50, true},  {101, 1, false},  {1, 101, false}, {50, 100, true},
              {100, 51, false}, {51, 100, false}, {0, 0, true},    {1, 100, true}};
  for (const auto& row : rows)
    EXPECT_EQ(!PictureSizeProblem(row.width, row.height, limits, "render"), row.fits)
        << row.width << " x " << row.height;
  EXPECT_EQ(PictureSizeProblem(101, 1, limits, "diff"),
            "The image would be 101 x 1 pixels; diff writes at most 100 pixels on a side and 0 "
            "MiB of pixels.");
}

}  // namespace
}  // namespace korvane
