#pragma once

#include <cstdint>

#include "toolkit/Picture.h"

namespace korvane {

// The applied tile sheet and the measures that cut it into tiles and place them on the screen:
// what drawing a tile needs to know. Sizes in twips are those of the screen the sheet was
// applied on.
struct TileSheetSetup {
  // Number of tiles in the sheet as the palette last counted them.
  int16_t TileCount = 0;
  int16_t TileTwipsX = 0;
  int16_t TileTwipsY = 0;
  int16_t TwoPixelsX = 0;
  int16_t TwoPixelsY = 0;
  int16_t PixelTwipsX = 0;
  int16_t PixelTwipsY = 0;
  // Tile edge in pixels; 0 while no tile sheet is applied (then nothing draws tiles).
  int16_t TileSize = 0;
  int16_t TileSpacing = 0;
  int16_t TileOffset = 0;
  // Shared with the tile-sheet dialog's preview; null until a sheet is applied.
  toolkit::PicturePtr TileSheet;
};

}  // namespace korvane
