#pragma once

#include "toolkit/RgbImage.h"

namespace korvane {

// Layout of the built-in sample sheet: 18 x 15 tiles of 16 pixels, each followed by a one-pixel
// white separator column and row. The "Load Tiles" dialog starts with this geometry.
inline constexpr int kSampleSheetWidth = 305;
inline constexpr int kSampleSheetHeight = 256;
inline constexpr int kSampleTileSize = 16;
inline constexpr int kSampleTileSpacing = 1;
inline constexpr int kSampleColumns = 18;
inline constexpr int kSampleRows = 15;

// The editor's own sample artwork, drawn by code: one terrain family per sheet row (grass, water,
// sand, rock, ...) and one pattern per sheet column (plain, stripes, checks, dots, edges, ...), so
// every tile looks different from every other. Every pixel outside the tiles is white.
toolkit::RgbImage MakeSampleSheet();

}  // namespace korvane
