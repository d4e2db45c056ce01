#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <variant>

#include "app/cli/MapRenderer.h"
#include "app/cli/SheetGeometry.h"
#include "document/MapFile.h"

namespace korvane::cli {

// An overview of a map of any size: every cell becomes a cellPixels x cellPixels block of its
// tile's average colour over the tile's place on the sheet (worked out once per tile), and of
// the map display's background for a tile number off the sheet. The cells are written straight
// into the image, row by row; beyond the image itself only one colour per tile is held. Returns
// one sentence instead when the image would pass the limits.
std::variant<QImage, std::string> DrawOverview(const MapDocument& map, const QImage& sheet,
                                               const SheetLayout& layout, int32_t cellPixels,
                                               const ProgressFn& progress = nullptr,
                                               const RenderLimits& limits = {});

}  // namespace korvane::cli
