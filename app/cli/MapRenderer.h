#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "app/cli/CliCommands.h"
#include "app/cli/RenderLimits.h"
#include "document/MapFile.h"

namespace korvane::cli {

// Draws the whole map with the editor itself: an editor on the Qt backend (off screen) gets the
// sheet through its tile-sheet dialog, the zoom, grid and mode through its own buttons and menu,
// and then shows the map page by page in its map display, whose drawing is copied into one
// image. Each page is drawn with a border of neighbouring cells around it, so that overlay
// numbers spilling over a page's edge come out as one display large enough for the whole map
// would show them. A QApplication must exist. Returns the image, or one sentence saying why the
// map cannot be drawn (an unreadable sheet, a geometry the editor refuses, an image too large).
std::variant<QImage, std::string> RenderMapImage(const MapDocument& map,
                                                 const RenderRequest& request,
                                                 const ProgressFn& progress = nullptr,
                                                 const RenderLimits& limits = {});

}  // namespace korvane::cli
