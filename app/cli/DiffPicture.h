#pragma once

#include <QImage>
#include <string>
#include <variant>

#include "app/cli/CliCommands.h"
#include "app/cli/MapRenderer.h"
#include "document/MapFile.h"

namespace korvane::cli {

// The picture of a change: the request's region of the old map on the left and of the new map
// on the right, each drawn by the editor as `render` draws it (overlay markers included when the
// request asks for them), a grey strip between them. Every changed cell, a changed tile or
// overlay value or a cell that only one map has, is outlined magenta outside and white inside,
// so the frame shows on any tile. Cells of the region that a map does not have are dark grey.
std::variant<QImage, std::string> DrawDiffPicture(const MapDocument& before,
                                                  const MapDocument& after,
                                                  const DiffPictureRequest& request,
                                                  const ProgressFn& progress = nullptr,
                                                  const RenderLimits& limits = {});

// The outline's colours and the fill of cells a map does not have.
inline constexpr QRgb kChangeOuter = 0xFFFF00FF;
inline constexpr QRgb kChangeInner = 0xFFFFFFFF;
inline constexpr QRgb kMissingCell = 0xFF404040;
// The strip between the two sides.
inline constexpr int kDiffGap = 8;
inline constexpr QRgb kDiffGapColour = 0xFF808080;

}  // namespace korvane::cli
