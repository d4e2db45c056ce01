#pragma once

// Marked cells reported as rectangles, as diff lists changed cells and the symmetry check lists
// cells that differ from their images.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formats/JsonWriter.h"
#include "model/CellRect.h"

namespace korvane {

// How many rectangles are listed; the rest are only counted.
inline constexpr size_t kListedRectangles = 50;

// Groups the marked cells of each row into runs and stacks a run onto the rectangle above it
// when both cover exactly the same columns, so a marked block comes out as one rectangle. The
// first kListedRectangles go to `listed` in order of their top row, then their left column; the
// rest are counted in `more`. Holds one row of open rectangles.
class RectangleGrouper {
 public:
  RectangleGrouper(std::vector<CellRect>& listed, int64_t& more) : listed_(listed), more_(more) {}

  // The runs of row y, left to right, as [x0, x1); rows come in order, each once.
  void Row(int32_t y, const std::vector<std::pair<int32_t, int32_t>>& runs);

 private:
  struct Open {
    int32_t x0;
    int32_t x1;
    int64_t listed;  // index into listed_, -1 when only counted
  };
  std::vector<CellRect>& listed_;
  int64_t& more_;
  std::vector<Open> open_;
};

// Adds cell x to the runs of the row being collected.
inline void AddToRuns(std::vector<std::pair<int32_t, int32_t>>& runs, int32_t x) {
  if (!runs.empty() && runs.back().second == x)
    runs.back().second = x + 1;
  else
    runs.emplace_back(x, x + 1);
}

// One line per listed rectangle ("  3,0 .. 4,2 (2 x 3)"), then "  and N more".
std::string RectangleLines(const std::vector<CellRect>& listed, int64_t more);

// {"x", "y", "width", "height"}.
void WriteCellRect(JsonWriter& out, const CellRect& r);

}  // namespace korvane
