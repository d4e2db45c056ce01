#include <algorithm>
#include <cstdint>
#include <string>

#include "render/MapPainter.h"
#include "render/SymmetryAxes.h"
#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

void MapView::Display_Paint() {
  if (Map.MapWidth >= 1 && global().TileSize >= 1) {
    const uint32_t run = ++paintRuns_;
    UpdateViewGeometry();
    // Moving a scroll bar into its new range redraws the whole display from inside the line
    // above, with the same geometry. Drawing the cells again on top would print every overlay
    // number twice and darken its smoothed edges.
    if (paintRuns_ == run) {
      // Only screen cells that show a map cell are visited; the rest keep the background.
      const CellRect shown{ViewFirstCol, ViewFirstRow,
                           std::min<int32_t>(ViewCols, int32_t{Map.MapWidth} - ViewFirstCol),
                           std::min<int32_t>(ViewRows, int32_t{Map.MapHeight} - ViewFirstRow)};
      const MapPaintSetup setup = PaintSetup(editor_.Global(), editor_.DatViewVisible());
      PaintMapCells(*Display, setup, Map, shown, ScreenCell{});
      DrawSymmetryAxes(*Display, setup, MapSymmetry, Map.MapWidth, Map.MapHeight, shown,
                       ScreenCell{});
    }
  }
  editor_.MapDisplayDrawn();

  // The map named on the command line. LoadMap empties StartupMapFile first, so it gets its own
  // copy of the name, and later drawings find nothing to load.
  if (!StartupMapFile.empty()) {
    const std::string mapFile = StartupMapFile;
    LoadMap(mapFile);
  }
}

}  // namespace korvane
