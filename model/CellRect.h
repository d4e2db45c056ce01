#pragma once

#include <cstdint>

namespace korvane {

// A rectangle of map cells: `width` x `height` cells from the cell (left, top).
struct CellRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

}  // namespace korvane
