#pragma once

#include <cstdint>

#include "model/CellRect.h"
#include "model/Symmetry.h"
#include "render/MapPainter.h"
#include "toolkit/Controls.h"

namespace korvane {

// The axes of a symmetry on the map display, as dotted lines in the surface's foreground colour,
// over the part of them that crosses the map cells of `cells` (shown from screen cell `origin`
// on). On a width x height map the vertical axis runs over column width / 2: along its left edge
// for an even width, where the two halves meet, and through its middle for an odd one. The
// horizontal axis lies over row height / 2 alike. A half turn shows both, crossing at its centre.
// Nothing is drawn for Off, and nothing for cells the axes do not cross, so a caller may hand in
// every cell it has just drawn over.
void DrawSymmetryAxes(toolkit::Surface& surface, const MapPaintSetup& setup, Symmetry mode,
                      int32_t mapWidth, int32_t mapHeight, const CellRect& cells,
                      ScreenCell origin);

}  // namespace korvane
