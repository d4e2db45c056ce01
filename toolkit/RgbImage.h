#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/Types.h"

namespace korvane::toolkit {

// Pixels made by the program, row by row from the top-left corner.
struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<Color> pixels;  // width * height entries

  Color At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  void Set(int32_t x, int32_t y, Color c) { pixels[static_cast<size_t>(y) * width + x] = c; }
};

}  // namespace korvane::toolkit
