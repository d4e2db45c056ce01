#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render/TileSheetSetup.h"

namespace korvane {

inline constexpr int16_t kMaxSelectedTiles = 500;

// The editor-wide state: the applied tile sheet with its geometry, and the palette selection.
struct MapGlobal : TileSheetSetup {
  // Entries 1..SelectedCount of SelectedTiles are the selection; entry 0 is never used.
  int16_t SelectedCount = 0;
  std::array<int16_t, kMaxSelectedTiles + 1> SelectedTiles{};
  // The picture file the applied sheet was read from; empty for the built-in sample sheet.
  std::string TileSheetFile;

  bool IsSelected(int16_t tile) const {
    for (int16_t i = 1; i <= SelectedCount; ++i)
      if (SelectedTiles[i] == tile) return true;
    return false;
  }
};

}  // namespace korvane
