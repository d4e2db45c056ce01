#include <gtest/gtest.h>

#include "render/MapPicture.h"
#include "render/SheetLayout.h"

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

// A sheet's geometry at each end of what the editor's 16-bit fields hold, and one past: only
// the fields' ranges are judged here (a geometry inside them may still be refused for its size).
TEST(SheetGeometryLimits, EachFieldMayReachItsEndButNotPassIt) {
  const struct {
    int32_t size, spacing, offset;
    bool inRange;
  } rows[] = {{1, 0, 0, true},      {0, 0, 0, false},     {32767, 32767, 32767, true},
              {32768, 0, 0, false}, {1, -1, 0, false},    {1, 32768, 0, false},
              {1, 0, -1, false},    {1, 0, 32768, false}, {-1, 0, 0, false}};
  for (const auto& row : rows) {
    const auto laid = LayOutSheet(64, 64, {row.size, row.spacing, row.offset});
    const auto* refusal = std::get_if<std::string>(&laid);
    EXPECT_EQ(!refusal || !refusal->starts_with("The tile size must be 1 to 32767"), row.inRange)
        << row.size << " " << row.spacing << " " << row.offset;
  }
}

// The picture's own sides from 0 up, and the largest tile the editor draws (2184 pixels, the
// last whole pixel under 32767 twips) and the first it does not.
TEST(SheetGeometryLimits, APictureOfOnePixelHoldsATileOfOne) {
  const struct {
    int32_t width, height, size;
    const char* refusal;  // its first words, or "" for columns x rows
    int32_t columns, rows;
  } rows[] = {{1, 1, 1, "", 1, 1},
              {1, 3, 1, "", 1, 3},
              {3, 1, 1, "", 3, 1},
              {0, 1, 1, "The tile sheet picture is empty.", 0, 0},
              {1, 0, 1, "The tile sheet picture is empty.", 0, 0},
              {-1, 5, 1, "The tile sheet picture is empty.", 0, 0},
              {2184, 2184, 2184, "", 1, 1},
              {2185, 2185, 2185, "A tile of 2185 pixels", 0, 0}};
  for (const auto& r : rows) {
    const auto laid = LayOutSheet(r.width, r.height, {r.size, 0, 0});
    if (const auto* refusal = std::get_if<std::string>(&laid))
      EXPECT_TRUE(*r.refusal && refusal->starts_with(r.refusal)) << *refusal;
    else
      EXPECT_EQ(std::pair(std::get<SheetLayout>(laid).columns, std::get<SheetLayout>(laid).rows),
                std::pair(r.columns, r.rows))
          << r.width << " x " << r.height;
  }
}

}  // namespace
}  // namespace korvane
