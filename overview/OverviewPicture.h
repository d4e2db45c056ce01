#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/MapDocument.h"
#include "overview/OverviewScale.h"
#include "toolkit/PixelCopy.h"

namespace korvane {

// What one part of the overview is drawn from: the map, its scale, the colour of every tile
// (index = tile number; any other number shows the background) and the cells the map display
// shows, framed when present.
struct OverviewSource {
  const MapDocument& map;
  const OverviewScale& scale;
  const std::vector<uint32_t>& tileColours;
  std::optional<toolkit::PixelRect> frame;
};

// The frame's two rings around the pixels of the shown cells: white on their outermost pixels,
// black just outside them, so that it shows on any tile.
inline constexpr uint32_t kFrameInside = 0xFFFFFFFFu;
inline constexpr uint32_t kFrameOutside = 0xFF000000u;

// The pixels `area` of the overview (inside the picture) into `out`, which holds area.width x
// area.height pixels: each pixel its cell's tile colour, then a dot in the map display's
// foreground colour on the middle pixel of each overlay cell (at whole pixels per cell), then
// the frame.
void DrawOverviewPixels(const OverviewSource& source, const toolkit::PixelRect& area,
                        const toolkit::PixelRows<uint32_t>& out);

// The parts of the picture that the frame around `shown` covers: its four sides, two pixels
// thick, clipped to the picture.
std::vector<toolkit::PixelRect> FrameSides(const toolkit::PixelRect& shown,
                                           const OverviewScale& scale);

}  // namespace korvane
