#pragma once

// A tile sheet as korvane-cli describes it to other tools: measures in pixels, the tiles counted
// by the tile rule, and refused where the editor would refuse it.

#include <cstdint>
#include <string>
#include <variant>

#include "model/TileRule.h"

namespace korvane {

// Lays the sheet out as the editor would after "Ok" in the tile-sheet dialog, on a screen of 15
// twips per pixel. Returns one sentence instead when the editor would refuse the geometry (it
// leaves the editor's 16-bit model) or when the sheet holds no whole tile.
std::variant<SheetLayout, std::string> LayOutSheet(int32_t imageWidth, int32_t imageHeight,
                                                   const SheetSettings& settings);

}  // namespace korvane
