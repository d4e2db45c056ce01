#pragma once

#include <cstdint>
#include <vector>

#include "render/TileSheetSetup.h"
#include "toolkit/Toolkit.h"

namespace korvane {

// The average colour of every tile of the applied sheet (as korvane-cli's overviews have them),
// worked out again only when another sheet or geometry is applied. Tiles the display would not
// draw (from the palette's count on) have none; a toolkit that keeps no pixels gives none at all.
class TileColours {
 public:
  // True when the colours changed.
  bool Update(toolkit::Toolkit& tk, const TileSheetSetup& sheet);
  const std::vector<uint32_t>& Colours() const { return colours_; }

 private:
  toolkit::PicturePtr picture_;
  int16_t tileSize_ = -1;
  int16_t spacing_ = -1;
  int16_t offset_ = -1;
  int16_t count_ = -1;
  std::vector<uint32_t> colours_;
};

}  // namespace korvane
