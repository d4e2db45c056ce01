#pragma once

// The picture of a change between two versions of a map (korvane-cli diff -o).

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "model/CellRect.h"
#include "model/MapDocument.h"
#include "render/MapPicture.h"

namespace korvane {

// The outline's colours and the fill of cells a map does not have, as pixels.
inline constexpr uint32_t kChangeOuter = 0xFFFF00FF;
inline constexpr uint32_t kChangeInner = 0xFFFFFFFF;
inline constexpr uint32_t kMissingCell = 0xFF404040;
// The strip between the two sides.
inline constexpr int32_t kDiffGap = 8;
inline constexpr uint32_t kDiffGapColour = 0xFF808080;

// The `region` of the old map on the left and of the new map on the right, each drawn as a whole
// map picture in the style given (overlay markers included when it asks for them), a grey strip
// between them. Every changed cell, a changed tile or overlay value or a cell that only one map
// has, is outlined magenta outside and white inside, so the frame shows on any tile. Cells of the
// region that a map does not have are dark grey. Refused, in one sentence, when the picture or a
// side would pass the limits or the style cannot be drawn.
std::variant<std::unique_ptr<toolkit::ImageSurface>, std::string> DrawDiffPicture(
    toolkit::Imaging& imaging, const MapDocument& before, const MapDocument& after,
    const CellRect& region, const MapPictureStyle& style, const PictureLimits& limits,
    const ProgressFn& progress);

}  // namespace korvane
