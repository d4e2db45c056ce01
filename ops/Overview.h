#pragma once

// An overview of a map of any size: every cell a block of one colour, its tile's average colour
// on the sheet (korvane-cli render --cell-pixels).

#include <cstdint>
#include <vector>

#include "model/MapDocument.h"
#include "model/Progress.h"
#include "model/TileRule.h"
#include "toolkit/PixelCopy.h"

namespace korvane {

// The average colour of every tile of the layout (index = tile number) over the pixels of its
// place on the sheet that the sheet has, rounded to the nearest; black for a tile with none.
// Pixels are 0xffRRGGBB.
std::vector<uint32_t> AverageTileColours(const toolkit::PixelRows<const uint32_t>& sheet,
                                         const SheetLayout& layout);

// Fills `image` (at least MapWidth x MapHeight blocks of cellPixels x cellPixels) with every
// cell's block: the colour of its tile, or the map display's background for a tile number off
// the sheet. Written row by row; nothing else is held. Progress counts the map rows.
void DrawOverview(const MapDocument& map, const std::vector<uint32_t>& tileColours,
                  int32_t cellPixels, const toolkit::PixelRows<uint32_t>& image,
                  const ProgressFn& progress);

}  // namespace korvane
