#pragma once

#include <array>
#include <cstdint>

#include "toolkit/Picture.h"

namespace korvane {

inline constexpr int16_t kMaxSelectedTiles = 500;

// The editor-wide state: the applied tile sheet, its geometry and the palette selection.
struct MapGlobal {
  // Entries 1..SelectedCount of SelectedTiles are the selection; entry 0 is never used.
  int16_t SelectedCount = 0;
  std::array<int16_t, kMaxSelectedTiles + 1> SelectedTiles{};
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

  bool IsSelected(int16_t tile) const {
    for (int16_t i = 1; i <= SelectedCount; ++i)
      if (SelectedTiles[i] == tile) return true;
    return false;
  }
};

}  // namespace korvane
