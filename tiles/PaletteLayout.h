#pragma once

#include <cstdint>

namespace korvane {

// Whole palette cells along one side of a surface `extent` twips long: N(extent - tile) / pitch
// + 1, the cells whose tile fits whole (the last gutter may fall outside). Never below 1, so a
// window too small for one cell still has one; never above 32767. A pitch below 1 gives 1.
int16_t PaletteCellsAlong(float extent, int32_t tileTwips, int32_t pitchTwips);

// Rows of a page capped so that a page of `columns` x rows cells stays a 16-bit tile count.
int16_t PaletteRowsWithinModel(int16_t rows, int16_t columns);

}  // namespace korvane
